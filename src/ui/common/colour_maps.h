#pragma once

#include "image/map_kind.h"

#include <QColor>
#include <QLinearGradient>
#include <QList>
#include <cstdint>

// Colour maps of the map values, shared by the 3-D views' surfaces and the grids' cell colours:
// a value gets the colour of its place between the stops, blended in between, whatever the data
// range.

struct ColourStop {
    double value = 0.0;
    QColor colour;
    friend bool operator==(const ColourStop &, const ColourStop &) = default;
};

// A colour value in the &HBBGGRR form: blue in the high byte, red in the low byte.
[[nodiscard]] QColor colourFromBgr(std::uint32_t bgr);

// "Color Spectrum" and "Grayscale" of each view.
[[nodiscard]] QList<ColourStop> spectrumColourMap(MapKind kind);
[[nodiscard]] QList<ColourStop> grayscaleColourMap(MapKind kind);

// The plot's own single colour, used with "None(Blue)".
[[nodiscard]] QColor uniformPlotColour();

// The colour of a value on the stops (in rising order): blended between its neighbours, the end
// colours beyond the ends. The grids' cells take their value colours from the spectrum.
[[nodiscard]] QColor colourAt(const QList<ColourStop> &stops, double value);

// A gradient over 0..1 for a value axis fixed at axisMin..axisMax: each stop sits at
// (value - axisMin) / (axisMax - axisMin). Beyond the first and last stop the end colours hold.
[[nodiscard]] QLinearGradient colourMapGradient(const QList<ColourStop> &stops, double axisMin,
                                                double axisMax);
