#pragma once

#include <QString>
#include <cstdint>

// The state the main window shares with its views and edit dialogs. Owned by the main window;
// each dialog gets a reference when it is created.
struct WindowState {
    // What the map cell editor edits: 2 = every cell of the map, 3 = the one cell SelIndex.
    std::uint8_t MapEditMode = 0;
    // Throttle row 1..11 in graph mode, cell 0..175 for the cell editor, axis point for the
    // axis editors.
    std::uint8_t SelIndex = 0;
    // What Form3 edits: 1 = an NE axis point, 2 = the shift light, 4 = the pit-road limit.
    std::uint8_t ValueEditMode = 0;
    // The value most recently chosen by a slider or dialog, and its text.
    std::uint8_t ValueByte = 0;
    QString ValueText;
    // 255 while a slider of that graph view has the keyboard focus, else 0.
    std::uint8_t SliderArmedFi = 0;
    std::uint8_t SliderArmedIg = 0;
    std::uint8_t SliderArmedRu = 0;
};

// Values of the armed flags.
constexpr std::uint8_t SliderArmed = 255;
constexpr std::uint8_t SliderDisarmed = 0;
