#include "common/colour_maps.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t Black = 0x0;
constexpr std::uint32_t Magenta = 0xFF00FF;
constexpr std::uint32_t Blue = 0xFF0000;
constexpr std::uint32_t Cyan = 0xFFFF00;
constexpr std::uint32_t Green = 0xFF00;
constexpr std::uint32_t Yellow = 0xFFFF;
constexpr std::uint32_t Red = 0xFF;
constexpr std::uint32_t White = 0xFFFFFF;

} // namespace

QColor colourFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QList<ColourStop> spectrumColourMap(MapKind kind) {
    if (kind == MapKind::Fi)
        return {{-30, colourFromBgr(Black)}, {-10, colourFromBgr(Magenta)},
                {-5, colourFromBgr(Blue)},   {0, colourFromBgr(Cyan)},
                {5, colourFromBgr(Green)},   {10, colourFromBgr(Yellow)},
                {30, colourFromBgr(Red)}};
    return {{-20, colourFromBgr(Black)}, {-15, colourFromBgr(Magenta)}, {-10, colourFromBgr(Blue)},
            {-5, colourFromBgr(Cyan)},   {0, colourFromBgr(Green)},     {3, colourFromBgr(Yellow)}};
}

QList<ColourStop> grayscaleColourMap(MapKind kind) {
    if (kind == MapKind::Fi)
        return {{-30, colourFromBgr(Black)}, {30, colourFromBgr(White)}};
    return {{-20, colourFromBgr(Black)}, {3, colourFromBgr(White)}};
}

QColor uniformPlotColour() {
    return colourFromBgr(Blue);
}

QLinearGradient colourMapGradient(const QList<ColourStop> &stops, double axisMin, double axisMax) {
    QLinearGradient gradient(0, 0, 1, 0);
    const double span = axisMax - axisMin;
    for (const ColourStop &stop : stops) {
        const double at = span > 0 ? (stop.value - axisMin) / span : 0.0;
        gradient.setColorAt(std::clamp(at, 0.0, 1.0), stop.colour);
    }
    // The graph reads the gradient over the whole axis: hold the end colours out to its ends.
    if (!stops.isEmpty()) {
        gradient.setColorAt(0.0, gradient.stops().constFirst().second);
        gradient.setColorAt(1.0, gradient.stops().constLast().second);
    }
    return gradient;
}

QColor colourAt(const QList<ColourStop> &stops, double value) {
    if (stops.isEmpty())
        return {};
    if (value <= stops.constFirst().value)
        return stops.constFirst().colour;
    for (qsizetype i = 1; i < stops.size(); ++i) {
        const ColourStop &low = stops[i - 1];
        const ColourStop &high = stops[i];
        if (value <= high.value) {
            const double t = (value - low.value) / (high.value - low.value);
            const auto mix = [t](int a, int b) {
                return static_cast<int>(std::lround(a + (b - a) * t));
            };
            return QColor(mix(low.colour.red(), high.colour.red()),
                          mix(low.colour.green(), high.colour.green()),
                          mix(low.colour.blue(), high.colour.blue()));
        }
    }
    return stops.constLast().colour;
}
