#pragma once

#include "document/cell_block.h"

// The grid's cell cursor and its rectangular selection. The selection runs from an anchor to an
// extent; the cursor stays where a selection began, as in a spreadsheet. Rows count up (row 1
// at the bottom of the grid), columns to the right.
class MapSelection {
public:
    [[nodiscard]] int cursor() const { return cellNumber(m_cursorRow, m_cursorColumn); }
    [[nodiscard]] bool hasBlock() const { return m_selecting; }
    // The selected block, or the cursor cell when nothing is selected.
    [[nodiscard]] CellBlock target() const;

    // The cursor to a cell (1..176); the selection cleared.
    void setCursor(int cell);
    // The cursor by rows and columns, stopping at the map's edges; with extend the selection's
    // extent moves instead and the cursor stays.
    void move(int rows, int columns, bool extend);
    // To the first or last column of the row.
    void toRowEnd(bool last, bool extend);
    // The selection from the anchor (the cursor when nothing was selected) to a cell.
    void extendTo(int cell);
    void selectAll();
    void clear() { m_selecting = false; }

private:
    void beginSelecting();

    int m_cursorRow = 1;
    int m_cursorColumn = 1;
    int m_anchor = 1;
    int m_extentRow = 1;
    int m_extentColumn = 1;
    bool m_selecting = false;
};
