#pragma once

#include <cstdint>

// Slider scales of the graph views: position 0 is the top (largest positive change).
constexpr int FiSliderScale = 60; // 130 % at 0 .. 70 % at 60
constexpr int IgSliderScale = 23; // +3 deg at 0 .. -20 deg at 23
constexpr int RuSliderScale = 30; // +15 % at 0 .. -15 % at 30

// Slider position of a stored byte. Bytes outside the editors' range give positions
// outside 0..scale (a Fi byte of 0 gives 130); the slider decides what it shows then.
[[nodiscard]] int fiSliderPosition(std::uint8_t b);
[[nodiscard]] int igSliderPosition(std::uint8_t b);
[[nodiscard]] int ruSliderPosition(std::uint8_t b);

// The byte a slider position stands for (position within 0..scale).
[[nodiscard]] std::uint8_t fiByteAtPosition(int position);
[[nodiscard]] std::uint8_t igByteAtPosition(int position);
[[nodiscard]] std::uint8_t ruByteAtPosition(int position);

// Knob height in twips, growing downwards: 840 + p * 3000 / scale.
constexpr double KnobTopTwips = 840.0;
constexpr double KnobRangeTwips = 3000.0;
[[nodiscard]] double knobY(int position, int scale);
