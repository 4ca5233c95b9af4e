#pragma once

#include "byte_edit.h"

// The three single engine speeds.
enum class SpeedSetting { ShiftTiming, PitRoad, IdleNe };

// The image offset of a speed.
[[nodiscard]] int speedOffset(SpeedSetting setting);

// A speed set to a stored byte (units of 100 r/min, the idle speed of 200 r/min):
// "ShiftTiming Indicator: 14000 → 15000 r/min".
[[nodiscard]] ByteEdit changeSpeed(SpeedSetting setting, std::uint8_t stored);
