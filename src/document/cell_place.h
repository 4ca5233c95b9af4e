#pragma once

#include "cell_block.h"
#include "image/ecu_tables.h"

#include <QString>

// Where map cells lie, told in the axes' own units as the tuner reads them off the grid: one
// cell "TH 20 %, 6500 r/min", a block "TH 20–40 %, 6000–7000 r/min".
[[nodiscard]] QString cellPlaceText(const EcuTables &tables, int row, int column);
[[nodiscard]] QString blockPlaceText(const EcuTables &tables, const CellBlock &block);
