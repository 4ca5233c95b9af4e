#include "grid/grid_cell.h"

#include "common/colours.h"
#include "compare/compare_mark.h"

#include <QPainter>
#include <QStyle>

namespace {

const QColor SelectionTint(0x30, 0x80, 0xFF, 80);
const QColor SelectionBorder(0x0A, 0x2A, 0xA0);
const QColor OperatingPointBorder(0xFF, 0x8C, 0x00);

// A frame of width lines inside the rectangle, on the given sides.
void frame(QPainter &painter, const QRect &rect, Qt::Edges edges, int width, const QColor &colour) {
    if (edges & Qt::LeftEdge)
        painter.fillRect(rect.left(), rect.top(), width, rect.height(), colour);
    if (edges & Qt::RightEdge)
        painter.fillRect(rect.right() - width + 1, rect.top(), width, rect.height(), colour);
    if (edges & Qt::TopEdge)
        painter.fillRect(rect.left(), rect.top(), rect.width(), width, colour);
    if (edges & Qt::BottomEdge)
        painter.fillRect(rect.left(), rect.bottom() - width + 1, rect.width(), width, colour);
}

constexpr Qt::Edges AllEdges = Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge | Qt::BottomEdge;

// The rectangle moved in by inset on the given sides: the light line inside a dark one, so that
// the lines of neighbouring cells join.
QRect inside(const QRect &rect, Qt::Edges edges, int inset) {
    return rect.adjusted(edges & Qt::LeftEdge ? inset : 0, edges & Qt::TopEdge ? inset : 0,
                         edges & Qt::RightEdge ? -inset : 0, edges & Qt::BottomEdge ? -inset : 0);
}

} // namespace

GridCell::GridCell(QWidget *parent)
    : ClickableLabel(parent) {}

void GridCell::setDecoration(const CellDecoration &decoration) {
    if (decoration == m_decoration)
        return;
    m_decoration = decoration;
    update();
}

void GridCell::paintEvent(QPaintEvent *event) {
    // The value's colour takes the place of the light yellow only: the cell editor's mark stays.
    const bool filled = m_decoration.fill.isValid() && backgroundOf(this) == LightYellow;
    {
        QPainter painter(this);
        if (filled)
            painter.fillRect(rect(), m_decoration.fill);
        if (m_decoration.selected)
            painter.fillRect(rect(), SelectionTint);
    }
    if (filled) {
        QPainter painter(this);
        drawFrame(&painter);
        QPalette readable = palette();
        readable.setColor(QPalette::WindowText, readableTextColour(m_decoration.fill));
        style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), readable,
                              true, text(), QPalette::WindowText);
    } else {
        ClickableLabel::paintEvent(event);
    }
    QPainter painter(this);
    if (m_decoration.dimmed) {
        // The cell's own colour over its text leaves the text faint; the grid line stays.
        QColor veil = filled ? m_decoration.fill : backgroundOf(this);
        veil.setAlpha(170);
        painter.fillRect(contentsRect(), veil);
    }
    if (m_decoration.selectionEdges) {
        const Qt::Edges edges = m_decoration.selectionEdges;
        frame(painter, rect(), edges, 3, SelectionBorder);
        frame(painter, inside(rect(), edges, 3), edges, 1, Qt::white);
    }
    if (m_decoration.differs) {
        const QRect mark = rect().adjusted(2, 2, -2, -2);
        frame(painter, mark, AllEdges, 2, CompareMarkColour);
        frame(painter, inside(mark, AllEdges, 2), AllEdges, 1, Qt::white);
        drawCompareCorner(painter, inside(mark, AllEdges, 2));
    }
    if (m_decoration.operatingPointEdges) {
        // Light orange and a black line inside: apart from the dark selection border.
        const Qt::Edges edges = m_decoration.operatingPointEdges;
        frame(painter, rect(), edges, 3, OperatingPointBorder);
        frame(painter, inside(rect(), edges, 3), edges, 1, Qt::black);
    }
    if (m_decoration.cursor) {
        frame(painter, rect(), AllEdges, 3, Qt::black);
        frame(painter, inside(rect(), AllEdges, 3), AllEdges, 1, Qt::white);
    }
}
