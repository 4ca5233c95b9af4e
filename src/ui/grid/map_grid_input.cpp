// The grid's cursor, selection and typed value: keys, mouse and the marks they draw.

#include "document/calibration_document.h"
#include "document/cell_place.h"
#include "document/cell_values.h"
#include "document/change_cells.h"
#include "document/comparison.h"
#include "document/map_operations.h"
#include "grid/map_grid_view.h"
#include "grid/value_legend.h"

#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>

namespace {

bool isSign(int key) {
    return key == Qt::Key_Minus || key == Qt::Key_Plus;
}

// A key that goes into a number being typed.
bool startsNumber(const QKeyEvent *key) {
    const QString text = key->text();
    return text.size() == 1 &&
           (text[0].isDigit() || text[0] == QLatin1Char('.') || text[0] == QLatin1Char(','));
}

// A key that starts typing a number: a digit (the point and the comma step the cells).
bool startsEntry(const QKeyEvent *key) {
    const QString text = key->text();
    return text.size() == 1 && text[0].isDigit();
}

// The sides of cell (row, column) of the block that lie on the block's border; row 1 is at the
// bottom.
Qt::Edges bordersOf(const CellBlock &block, int row, int column) {
    Qt::Edges edges;
    edges.setFlag(Qt::TopEdge, row == block.lastRow);
    edges.setFlag(Qt::BottomEdge, row == block.firstRow);
    edges.setFlag(Qt::LeftEdge, column == block.firstColumn);
    edges.setFlag(Qt::RightEdge, column == block.lastColumn);
    return edges;
}

} // namespace

void MapGridView::selectAll() {
    endEntry();
    m_selection.selectAll();
    selectionMoved();
}

void MapGridView::returnFocus(int k) {
    if (m_selection.cursor() != k)
        m_selection.setCursor(k);
    setFocus(Qt::OtherFocusReason);
    selectionMoved();
}

void MapGridView::beginEntry() {
    setFocus(Qt::OtherFocusReason);
    m_entering = true;
    m_entry.clear();
    showStatus();
}

void MapGridView::endEntry() {
    m_entering = false;
    m_entry.clear();
    showStatus();
}

void MapGridView::setValueColours(bool on) {
    m_valueColours = on;
    m_legend->setVisible(on);
    decorateCells();
}

bool MapGridView::event(QEvent *event) {
    // While a value is typed, its keys (a sign among them) are the grid's, not shortcuts.
    if (event->type() == QEvent::ShortcutOverride && m_entering) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (startsNumber(key) || isSign(key->key()) || key->key() == Qt::Key_Backspace) {
            event->accept();
            return true;
        }
    }
    return QGroupBox::event(event);
}

bool MapGridView::typeIntoEntry(const QKeyEvent *key) {
    if (startsNumber(key)) {
        if (m_entry.size() < 12)
            m_entry += key->text();
    } else if (isSign(key->key())) {
        // The sign leads whenever it is typed: "4", "-" reads -4.
        if (m_entry.startsWith(QLatin1Char('-')) || m_entry.startsWith(QLatin1Char('+')))
            m_entry.remove(0, 1);
        m_entry.prepend(key->key() == Qt::Key_Minus ? QLatin1Char('-') : QLatin1Char('+'));
    } else if (key->key() == Qt::Key_Backspace) {
        m_entry.chop(1);
    } else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        const QString typed = m_entry;
        endEntry();
        // Only a sign typed is no number: nothing to set.
        if (typed.contains(QRegularExpression(QStringLiteral("[0-9]"))))
            emit valueTyped(typed);
    } else {
        return false;
    }
    showStatus();
    return true;
}

void MapGridView::keyPressEvent(QKeyEvent *event) {
    if (m_entering) {
        if (typeIntoEntry(event))
            return;
        // Any other key drops what was typed; Escape does nothing more.
        endEntry();
        if (event->key() == Qt::Key_Escape)
            return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        m_selection.move(1, 0, extend);
        break;
    case Qt::Key_Down:
        m_selection.move(-1, 0, extend);
        break;
    case Qt::Key_Left:
        m_selection.move(0, -1, extend);
        break;
    case Qt::Key_Right:
        m_selection.move(0, 1, extend);
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        m_selection.toRowEnd(event->key() == Qt::Key_End, extend);
        break;
    case Qt::Key_Escape:
        m_selection.clear();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit cellClicked(m_selection.cursor());
        return;
    default:
        if (startsEntry(event) && !(event->modifiers() & Qt::ControlModifier)) {
            beginEntry();
            (void)typeIntoEntry(event);
            return;
        }
        QGroupBox::keyPressEvent(event);
        return;
    }
    selectionMoved();
}

bool MapGridView::eventFilter(QObject *watched, QEvent *event) {
    const auto *cellLabel = qobject_cast<GridCell *>(watched);
    const QEvent::Type type = event->type();
    if (!cellLabel || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
                       type != QEvent::MouseButtonRelease))
        return QGroupBox::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const int k = cellAt(cellLabel->mapToParent(mouse->position().toPoint()));
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        endEntry();
        m_selectedByMouse = mouse->modifiers() & Qt::ShiftModifier;
        if (m_selectedByMouse) {
            m_selection.extendTo(k);
        } else {
            m_selection.setCursor(k);
            m_pressed = k;
        }
        selectionMoved();
    } else if (type == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton) && m_pressed &&
               (k != m_pressed || m_selectedByMouse)) {
        m_selectedByMouse = true;
        m_selection.extendTo(k);
        selectionMoved();
    } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        m_pressed = 0;
        // A drag or a Shift+click selected: no editor opens.
        if (std::exchange(m_selectedByMouse, false))
            return true;
    }
    return false;
}

int MapGridView::cellAt(QPoint inGrid) const {
    // Beyond the grid, the nearest cell at its edge.
    const QRect grid = cell(cellNumber(ThRows, 1))->geometry().united(cell(NeColumns)->geometry());
    const QPoint at(std::clamp(inGrid.x(), grid.left(), grid.right()),
                    std::clamp(inGrid.y(), grid.top(), grid.bottom()));
    for (int k = 1; k <= MapCells; ++k) {
        if (cell(k)->geometry().contains(at))
            return k;
    }
    return m_selection.cursor();
}

void MapGridView::focusInEvent(QFocusEvent *event) {
    QGroupBox::focusInEvent(event);
    decorateCells();
}

void MapGridView::focusOutEvent(QFocusEvent *event) {
    QGroupBox::focusOutEvent(event);
    endEntry();
    decorateCells();
}

void MapGridView::showEvent(QShowEvent *event) {
    QGroupBox::showEvent(event);
    emit visibilityChanged();
}

void MapGridView::hideEvent(QHideEvent *event) {
    QGroupBox::hideEvent(event);
    emit visibilityChanged();
}

void MapGridView::selectionMoved() {
    decorateCells();
    showStatus();
    emit selectionChanged();
}

void MapGridView::decorateCells() {
    const CellBlock block = m_selection.target();
    const bool selecting = m_selection.hasBlock();
    // The cursor shows where the window's keys go, also while another window is active.
    const int cursor = window()->focusWidget() == this ? m_selection.cursor() : 0;
    for (int k = 1; k <= MapCells; ++k) {
        const int row = thRowOfCell(k);
        const int column = neColumnOfCell(k);
        CellDecoration marks;
        if (m_valueColours && m_document.hasData())
            marks.fill = colourAt(m_spectrum, tableValue(m_kind, m_document.tables(), row, column));
        marks.selected = selecting && block.contains(row, column);
        if (marks.selected)
            marks.selectionEdges = bordersOf(block, row, column);
        marks.differs = m_comparison && m_comparison->differenceAt(cellOffset(m_kind, k));
        marks.dimmed = m_onlyChanged && !marks.differs && m_comparison &&
                       m_comparison->isActive() && m_document.hasData();
        if (m_operatingPoint && m_operatingPoint->contains(row, column))
            marks.operatingPointEdges = bordersOf(*m_operatingPoint, row, column);
        marks.cursor = k == cursor;
        cell(k)->setDecoration(marks);
    }
}

void MapGridView::showStatus() {
    const CellBlock block = m_selection.target();
    QString status;
    if (m_entering) {
        status =
            QStringLiteral("Set %1 to: %2_")
                .arg(block.cellCount() == 1 ? QStringLiteral("the cell")
                                            : QStringLiteral("%1 cells").arg(block.cellCount()),
                     m_entry);
    } else if (m_selection.hasBlock()) {
        status = QStringLiteral("%1: %2 cells")
                     .arg(blockPlaceText(m_document.tables(), block), blockSize(block));
    }
    m_statusLabel->setText(status);
}
