#pragma once

#include "image/ecu_layout.h"

#include <algorithm>

// A rectangle of map cells: TH rows firstRow..lastRow (row 1 at the bottom of the grid) and NE
// columns firstColumn..lastColumn.
struct CellBlock {
    int firstRow = 1;
    int lastRow = 1;
    int firstColumn = 1;
    int lastColumn = 1;

    [[nodiscard]] int rows() const { return lastRow - firstRow + 1; }
    [[nodiscard]] int columns() const { return lastColumn - firstColumn + 1; }
    [[nodiscard]] int cellCount() const { return rows() * columns(); }
    [[nodiscard]] bool contains(int row, int column) const {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
    friend bool operator==(const CellBlock &, const CellBlock &) = default;
};

// Calls visit(row, column) for every cell of the block, row by row from its first.
template <typename Visit>
void forEachCell(const CellBlock &block, Visit visit) {
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        for (int column = block.firstColumn; column <= block.lastColumn; ++column)
            visit(row, column);
    }
}

// The block with the two cells (1..176) at opposite corners.
[[nodiscard]] inline CellBlock blockBetween(int cellA, int cellB) {
    const int rowA = thRowOfCell(cellA);
    const int rowB = thRowOfCell(cellB);
    const int columnA = neColumnOfCell(cellA);
    const int columnB = neColumnOfCell(cellB);
    return {std::min(rowA, rowB), std::max(rowA, rowB), std::min(columnA, columnB),
            std::max(columnA, columnB)};
}
