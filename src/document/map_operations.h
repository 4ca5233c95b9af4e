#pragma once

#include "byte_edit.h"
#include "cell_block.h"
#include "image/ecu_tables.h"
#include "image/map_kind.h"

// Changes of a block of map cells, each one undo step. Values are the cells' display values
// (percent, degrees), computed from the tables and rounded to the nearest whole value.

// An edit, or the message that says why there is none.
struct MapEditResult {
    ByteEdit edit;
    QString refusal;
    [[nodiscard]] bool refused() const { return !refusal.isEmpty(); }
};

// Each cell steps by the cell editor's step (1 % or 1 deg), up for steps > 0: never past the
// end of the editor range, and a cell already beyond it never further away. Only the cells
// that change: no changes when every cell stands at its limit. "Fi map: 12 cells +1 step".
[[nodiscard]] ByteEdit stepCells(MapKind kind, const EcuTables &tables, const CellBlock &block,
                                 int steps);

// Every cell to the typed number (see parseCellNumber), rounded; a number outside the editor
// range, or a text that is none, is refused. "IG map: 6 cells set to -4deg".
[[nodiscard]] MapEditResult setCells(MapKind kind, const CellBlock &block, const QString &typed);

// Every cell to the bilinear interpolation of the block's four corners over the axis points
// (r/min, throttle %), or over even steps where an axis does not rise across the block; a
// single row or column linear between its ends. "Fi map: interpolate 4 x 3 cells" (NE columns
// x TH rows).
[[nodiscard]] ByteEdit interpolateCells(MapKind kind, const EcuTables &tables,
                                        const CellBlock &block);
// Whether interpolation has anything to do: a block of two cells or more.
[[nodiscard]] bool canInterpolate(const CellBlock &block);

// Interpolation one way only: each TH row of the block linear between its first and last cell
// over the NE points, or each NE column between its bottom and top cell over the TH points.
// "Fi map: interpolate 4 x 3 cells along rows".
enum class Along { Rows, Columns };
[[nodiscard]] ByteEdit interpolateAlong(MapKind kind, const EcuTables &tables,
                                        const CellBlock &block, Along along);
// Whether the rows (or columns) have a cell between their ends.
[[nodiscard]] bool canInterpolateAlong(const CellBlock &block, Along along);

// Each inner cell to the mean of itself and its four neighbours; the block's edges stay.
// "Fi map: smooth 5 x 5 cells".
[[nodiscard]] ByteEdit smoothCells(MapKind kind, const EcuTables &tables, const CellBlock &block);
// Whether the block has inner cells: three rows and three columns or more.
[[nodiscard]] bool canSmooth(const CellBlock &block);

// "5 x 3" for a block of 5 NE columns and 3 TH rows.
[[nodiscard]] QString blockSize(const CellBlock &block);
