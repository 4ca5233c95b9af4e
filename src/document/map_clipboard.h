#pragma once

#include "cell_block.h"
#include "map_operations.h"

// Blocks of map cells as spreadsheets exchange them: one line a row, TH row 11 first as the
// grid shows it, values separated by tabs, display values without units.

[[nodiscard]] QString copyCells(MapKind kind, const EcuTables &tables, const CellBlock &block);

// The block in text pasted with its top left cell at the target's top left cell; a single
// value fills the whole target. Every value is checked before anything changes: the block's
// shape, that it fits in the map, and that each value is a number within the editor range.
// A refusal names the cells by their axis points in the tables. "Fi map: paste 3 x 2 cells".
[[nodiscard]] MapEditResult pasteCells(MapKind kind, const EcuTables &tables, const QString &text,
                                       const CellBlock &target);
