#include "graph_position.h"

int fiSliderPosition(std::uint8_t b) {
    return 130 - b;
}

int igSliderPosition(std::uint8_t b) {
    if (b == 0)
        return 3;
    return b >= 128 ? 259 - b : 3 - b;
}

int ruSliderPosition(std::uint8_t b) {
    if (b == 0)
        return 15;
    return b >= 128 ? 271 - b : 15 - b;
}

std::uint8_t fiByteAtPosition(int position) {
    return static_cast<std::uint8_t>(130 - position);
}

std::uint8_t igByteAtPosition(int position) {
    // Two's complement of 3 - position.
    return static_cast<std::uint8_t>((3 - position) & 0xFF);
}

std::uint8_t ruByteAtPosition(int position) {
    return static_cast<std::uint8_t>((15 - position) & 0xFF);
}

double knobY(int position, int scale) {
    return KnobTopTwips + position * KnobRangeTwips / scale;
}
