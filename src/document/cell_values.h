#pragma once

#include "image/ecu_tables.h"
#include "image/map_kind.h"

#include <QString>
#include <cstdint>
#include <optional>

// Map cells as the tuner reads them: Fi cells in percent (byte - 100), IG cells in whole
// degrees (a signed byte).

[[nodiscard]] int cellValue(MapKind kind, std::uint8_t byte);
// The byte of a value; the value lies within what the map's encoding holds.
[[nodiscard]] std::uint8_t cellByte(MapKind kind, int value);
// The value of cell (TH row, NE column) in the tables.
[[nodiscard]] int tableValue(MapKind kind, const EcuTables &tables, int row, int column);

// The values the cell editor produces: Fi -30..+30 %, IG -20..+3 deg.
struct ValueRange {
    int lowest = 0;
    int highest = 0;
};
[[nodiscard]] ValueRange editorRange(MapKind kind);
// "-30% to +30%", "-20deg to +3deg".
[[nodiscard]] QString rangeText(MapKind kind);

// The number a typed or pasted text stands for: an optional sign, digits with a decimal point
// or comma, optionally the map's unit ("%" or "deg"). Nothing when the text is not a number.
[[nodiscard]] std::optional<double> parseCellNumber(MapKind kind, const QString &text);
// The same for any unit ("%", "deg", or none when empty).
[[nodiscard]] std::optional<double> parseNumber(const QString &text, const QString &unit);
// The value nearest to a number (halves away from zero); nothing when it lies outside the
// editor range.
[[nodiscard]] std::optional<int> storableValue(MapKind kind, double number);

// numerator / denominator (above 0) to the nearest whole number, halves away from zero, exactly.
[[nodiscard]] long long roundedQuotient(long long numerator, long long denominator);
