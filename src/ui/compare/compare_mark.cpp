#include "compare/compare_mark.h"

#include "common/zoomed_layout.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace {

const QString MarkName = QStringLiteral("compareMark");

// A frame laid over the label; clicks and tooltips go through to the label beneath.
class CompareFrame : public QWidget, public ZoomFollower {
public:
    explicit CompareFrame(QWidget *label)
        : QWidget(label) {
        setObjectName(MarkName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    // The label it lies over has its new size.
    void followZoom() override { setGeometry(parentWidget()->rect()); }

    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        // A white line inside keeps the frame apart from a dark cell colour.
        painter.setPen(QPen(CompareMarkColour, 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5));
        drawCompareCorner(painter, rect().adjusted(3, 3, -3, -3));
    }
};

} // namespace

void drawCompareCorner(QPainter &painter, const QRect &inside) {
    const int side = std::max(6, inside.height() / 3);
    const QPoint corner = inside.topRight() + QPoint(1, 0);
    const QPolygon triangle({corner, corner - QPoint(side, 0), corner + QPoint(0, side)});
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(CompareMarkColour);
    painter.drawPolygon(triangle);
    // A white edge keeps the triangle apart from the text and a dark cell colour.
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(corner - QPoint(side + 1, 0), corner + QPoint(0, side + 1));
    painter.restore();
}

void showCompareMark(QWidget *label, const QString &otherText, const QString &where) {
    auto *frame = label->findChild<QWidget *>(MarkName, Qt::FindDirectChildrenOnly);
    if (otherText.isEmpty()) {
        if (frame)
            frame->hide();
        label->setToolTip(QString());
        return;
    }
    if (!frame)
        frame = new CompareFrame(label);
    frame->setGeometry(label->rect());
    frame->show();
    frame->raise();
    const QString other = QStringLiteral("other: ") + otherText;
    label->setToolTip(where.isEmpty() ? other : where + QStringLiteral(", ") + other);
}

bool hasCompareMark(const QWidget *label) {
    const auto *frame = label->findChild<QWidget *>(MarkName, Qt::FindDirectChildrenOnly);
    return frame && !frame->isHidden();
}
