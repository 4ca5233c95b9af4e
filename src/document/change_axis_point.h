#pragma once

#include "byte_edit.h"

// The two axes the maps share.
enum class Axis { Ne, Th };

// An inner point of an axis (NE 2..15, TH 2..10) set to a value: "NE point 6: 7500 → 8000
// r/min", "TH point 5: 20 → 30%".
[[nodiscard]] ByteEdit changeAxisPoint(Axis axis, int point, std::uint8_t value);
