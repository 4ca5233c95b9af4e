#pragma once

#include "image/ecu_tables.h"
#include "image/map_kind.h"

#include <QList>
#include <QString>
#include <algorithm>
#include <array>
#include <cstddef>

// What a 3-D map view hands to its graph, worked out from the decoded tables. Both axes run
// reversed: X = 18000 - 100 * NE (18000 r/min at X = 0), Y = 100 - TH.

// One value on an axis with the text shown there (empty for an unlabelled point).
struct LabelledValue {
    double value = 0.0;
    QString text;
    friend bool operator==(const LabelledValue &, const LabelledValue &) = default;
};

struct Map3DSurfaceData {
    std::array<double, NePoints> x{};                       // per NE point
    std::array<double, ThPoints> y{};                       // per TH point
    std::array<std::array<double, NePoints>, ThPoints> z{}; // [TH row][NE column]
};

[[nodiscard]] double neAxisPosition(std::int32_t ne);
[[nodiscard]] double thAxisPosition(std::uint8_t th);

// Fi: the deviation in percent (byte - 100). IG: the byte as a signed byte, in degrees.
[[nodiscard]] double fiPlotValue(std::uint8_t b);
[[nodiscard]] double igPlotValue(std::uint8_t b);

[[nodiscard]] Map3DSurfaceData map3dSurfaceData(MapKind kind, const EcuTables &tables);

// One labelled value per NE point; the odd points (1, 3, .. 15) and point 16 carry the speed in
// r/min, the others an empty text.
[[nodiscard]] QList<LabelledValue> neLabelledValues(const EcuTables &tables);
// One labelled value per TH point; the odd points (1, 3, .. 11) carry the opening in percent.
[[nodiscard]] QList<LabelledValue> thLabelledValues(const EcuTables &tables);

// The range an axis needs to hold every value: from the least to the greatest, in whatever order
// the axis points come; a single value gets one unit above it, as an axis needs min < max.
struct AxisSpan {
    double min = 0.0;
    double max = 0.0;
    friend bool operator==(const AxisSpan &, const AxisSpan &) = default;
};

template <std::size_t N>
[[nodiscard]] AxisSpan axisSpan(const std::array<double, N> &values) {
    const auto [least, greatest] = std::minmax_element(values.begin(), values.end());
    return {*least, *greatest > *least ? *greatest : *least + 1.0};
}
