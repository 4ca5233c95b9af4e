#pragma once

#include "image/map_kind.h"

#include <QString>
#include <cstdint>

// What the map grids show in a cell while a comparison is on.
enum class CellTexts {
    Values,
    // This − other, in the map's units: "+2%", "-3deg", "0%".
    Difference,
    // For the Fi map the change of the fuel amount relative to the other's,
    // (100 + this) / (100 + other) − 1, in percent with one decimal: "+16.7%"; a trim of
    // +5 % against −10 % is 16.7 % more fuel, not 15. The IG map shows its difference.
    PercentDifference,
};

// The text of a cell whose byte is ours here and theirs in the compared calibration.
[[nodiscard]] QString differenceText(MapKind kind, std::uint8_t ours, std::uint8_t theirs,
                                     CellTexts shown);

// A number with one decimal and its sign: "+4.3", "-0.5", "0.0".
[[nodiscard]] QString signedTenths(double value);
