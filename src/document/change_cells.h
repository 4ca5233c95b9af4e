#pragma once

#include "byte_edit.h"
#include "image/map_kind.h"

#include <utility>
#include <vector>

// "Fi map" or "IG map".
[[nodiscard]] QString mapName(MapKind kind);
// The display text of a cell's byte.
[[nodiscard]] QString cellText(MapKind kind, std::uint8_t value);
// The image offset of a cell (1..176).
[[nodiscard]] int cellOffset(MapKind kind, int cell);

// One cell (1..176) set to a byte: "Fi map TH 2 NE 4: +3% → +5%".
[[nodiscard]] ByteEdit changeCell(MapKind kind, int cell, std::uint8_t value, quint64 gesture = 0);
// Every cell of the map set to one byte: "IG map: all cells 0deg".
[[nodiscard]] ByteEdit changeAllCells(MapKind kind, std::uint8_t value);
// Several cells, each to its own byte, as one step described by what.
[[nodiscard]] ByteEdit changeCells(MapKind kind,
                                   const std::vector<std::pair<int, std::uint8_t>> &cells,
                                   const QString &what);
