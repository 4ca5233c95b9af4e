#pragma once

#include "ecu_layout.h"

#include <QString>
#include <cstdint>

// The display texts of the stored bytes, one function per rule. Numbers are plain decimal:
// no leading zeros, blanks or group separators.

// KmapText: b - 100 percent. 97 -> "-3%", 100 -> "0%", 112 -> "+12%".
[[nodiscard]] QString fiText(std::uint8_t b);
// IGmapText: signed degrees. 0xFB -> "-5deg", 0 -> "0deg", 2 -> "+2deg".
[[nodiscard]] QString igText(std::uint8_t b);
// RuadjText as decoded from an image: signed percent with a leading blank on signed forms.
// 0xF6 -> " -10%", 5 -> " +5%", 0 -> "0%".
[[nodiscard]] QString ruText(std::uint8_t b);
// RU text written by the RU slider view and the RU dialog: no leading blank. 5 -> "+5%".
[[nodiscard]] QString ruEditText(std::uint8_t b);
// NeText: the table value (units of 100 r/min) times 100.
[[nodiscard]] QString neText(std::int32_t value);
// ThText: the byte itself.
[[nodiscard]] QString thText(std::uint8_t b);
// PitLimitText and ShiftNeText: units of 100 r/min.
[[nodiscard]] QString speedText(std::uint8_t b);
// IdleNeText: units of 200 r/min.
[[nodiscard]] QString idleText(std::uint8_t b);

// A parameter's byte as the views show it ("+3%", "-5deg", "7500", "+2%" for an RU point).
[[nodiscard]] QString parameterText(ParameterKind kind, std::uint8_t b);
