#include "graph/graph_canvas.h"

#include "common/colours.h"
#include "common/twips.h"

#include <QPainter>

GraphLine::GraphLine(const QString &name, const QLineF &twips, GraphCanvas *canvas)
    : QObject(canvas)
    , m_canvas(*canvas)
    , m_twips(twips) {
    setObjectName(name);
}

void GraphLine::setY1(double y) {
    m_twips.setP1(QPointF(m_twips.x1(), y));
    m_canvas.update();
}

void GraphLine::setY2(double y) {
    m_twips.setP2(QPointF(m_twips.x2(), y));
    m_canvas.update();
}

void GraphLine::setHorizontalAt(double y) {
    m_twips = QLineF(m_twips.x1(), y, m_twips.x2(), y);
    m_canvas.update();
}

void GraphLine::setShown(bool shown) {
    m_shown = shown;
    m_canvas.update();
}

GraphCanvas::GraphCanvas(QWidget *view)
    : QWidget(view) {
    setObjectName(view->objectName() + QStringLiteral("Canvas"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

GraphLine *GraphCanvas::addLine(const QString &name, const QLineF &twips, const QPen &pen) {
    auto *line = new GraphLine(name, twips, this);
    m_lines.append({line, pen});
    return line;
}

void GraphCanvas::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Drawn &drawn : m_lines) {
        if (!drawn.line->isShown())
            continue;
        const QLineF twips = drawn.line->twips();
        QPen pen = drawn.pen;
        pen.setWidthF(pen.widthF() * layoutZoom());
        // A line keeps its colour where it shows on the view's background, whatever the palette.
        pen.setColor(standingOut(pen.color(), palette().color(QPalette::Window), 3.0));
        painter.setPen(pen);
        painter.drawLine(QPointF(twips.x1() / twipsPerPixelX(), twips.y1() / twipsPerPixelY()),
                         QPointF(twips.x2() / twipsPerPixelX(), twips.y2() / twipsPerPixelY()));
    }
}
