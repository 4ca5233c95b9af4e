#pragma once

#include "byte_edit.h"

// One RU point (1..16) set to a byte: "RU map NE 7: +3% → +5%".
[[nodiscard]] ByteEdit changeRuPoint(int point, std::uint8_t value, quint64 gesture = 0);
// Every RU point set to one byte: "RU map: all points +5%".
[[nodiscard]] ByteEdit changeAllRuPoints(std::uint8_t value);
