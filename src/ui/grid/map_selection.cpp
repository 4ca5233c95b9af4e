#include "grid/map_selection.h"

CellBlock MapSelection::target() const {
    if (!m_selecting)
        return blockBetween(cursor(), cursor());
    return blockBetween(m_anchor, cellNumber(m_extentRow, m_extentColumn));
}

void MapSelection::setCursor(int cell) {
    m_cursorRow = thRowOfCell(cell);
    m_cursorColumn = neColumnOfCell(cell);
    m_selecting = false;
}

void MapSelection::beginSelecting() {
    if (m_selecting)
        return;
    m_anchor = cursor();
    m_extentRow = m_cursorRow;
    m_extentColumn = m_cursorColumn;
    m_selecting = true;
}

void MapSelection::move(int rows, int columns, bool extend) {
    if (!extend) {
        setCursor(cellNumber(std::clamp(m_cursorRow + rows, 1, ThRows),
                             std::clamp(m_cursorColumn + columns, 1, NeColumns)));
        return;
    }
    beginSelecting();
    m_extentRow = std::clamp(m_extentRow + rows, 1, ThRows);
    m_extentColumn = std::clamp(m_extentColumn + columns, 1, NeColumns);
}

void MapSelection::toRowEnd(bool last, bool extend) {
    const int column = last ? NeColumns : 1;
    move(0, column - (extend && m_selecting ? m_extentColumn : m_cursorColumn), extend);
}

void MapSelection::extendTo(int cell) {
    beginSelecting();
    m_extentRow = thRowOfCell(cell);
    m_extentColumn = neColumnOfCell(cell);
}

void MapSelection::selectAll() {
    m_selecting = true;
    m_anchor = cellNumber(1, 1);
    m_extentRow = ThRows;
    m_extentColumn = NeColumns;
}
