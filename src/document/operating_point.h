#pragma once

#include "cell_block.h"
#include "image/ecu_tables.h"

#include <QString>
#include <optional>
#include <span>

// What the ECU reads from the maps at an engine speed and a throttle opening: the bilinear
// interpolation of the four cells around the point, over the NE and TH axis values.

// Where a value lies on one axis: the two neighbouring points (1-based) and how far it lies
// from the lower toward the upper one (0..1). The upper point is the first, from point 1 up,
// that lies above the value; the lower one the point before it. So on an axis whose point
// equals the one below it the map's values step at that point (the upper of the two counts
// from its value on), as they would in a lookup that walks the axis from its start. Beyond the
// axis' ends the value is clamped to the end point.
struct AxisBracket {
    int lower = 1;
    int upper = 2;
    double toUpper = 0.0;
    // The end point's value, when the value lay beyond it.
    std::optional<int> clampedTo;
    // The first point that does not lie above the one below it; 0 where the axis rises.
    int notRisingAt = 0;
};
[[nodiscard]] AxisBracket bracketOnAxis(std::span<const int> points, int value);

struct OperatingPointReading {
    AxisBracket ne; // over r/min
    AxisBracket th; // over throttle %
    // The four cells interpolated between.
    CellBlock cells;
    double fi = 0.0; // percent
    double ig = 0.0; // degrees
};
[[nodiscard]] OperatingPointReading readOperatingPoint(const EcuTables &tables, int engineSpeed,
                                                       int throttle);

// "Fi +4.3%, IG -2.5deg", and what the reading took for granted: "(clamped to 16500 r/min)",
// "(TH axis not rising at point 6)".
[[nodiscard]] QString operatingPointText(const OperatingPointReading &reading);
