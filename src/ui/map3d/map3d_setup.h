#pragma once

#include "image/map_kind.h"

#include <QLatin1String>
#include <QList>
#include <cstdint>

// The names, captions and fixed settings that tell the Fi view from the IG view.

// One row of a colour legend: a coloured square and the value it stands for.
struct LegendEntry {
    QLatin1String swatch;    // objectName of the square
    QLatin1String label;     // objectName of its value label
    std::uint32_t colourBgr; // &HBBGGRR
    QLatin1String caption;
    bool used = true; // unused rows stay hidden whatever the colour map style
};

struct Map3DSetup {
    QLatin1String panel;   // the view panel
    QLatin1String caption; // its caption, also the view selector's entry
    QLatin1String graph;
    QLatin1String valueTitle; // vertical axis
    QLatin1String plotStyleFrame;
    QLatin1String plotStyleOption; // option array: "Surf + Line", "Line"
    QLatin1String colourMapFrame;
    QLatin1String colourMapOption; // option array: "Color Spectrum", "Grayscale", "None(Blue)"
    QLatin1String defaultView;
    QLatin1String hintFrame;
    QList<LegendEntry> legend; // top to bottom
    // Range of the vertical axis, a little wider than the values the editors allow; the colour
    // maps are placed on it.
    double valueMin = 0.0;
    double valueMax = 0.0;
    // The IG legend's captions and value range are set by the start-up set-up; the Fi ones are
    // the panel's own from the start.
    bool setUpAtStartUp = false;
};

[[nodiscard]] const Map3DSetup &map3dSetup(MapKind kind);

// Space around and between the graph, the side column and its parts, in twips.
inline constexpr int Map3DSpacing = 90;

inline constexpr QLatin1String NeAxisTitle{"Ne(r/min)"};
inline constexpr QLatin1String ThAxisTitle{"TH(%)"};
inline constexpr QLatin1String PlotStyleCaption{"Plot Style"};
inline constexpr QLatin1String ColourMapCaption{"Color map style"};
inline constexpr QLatin1String DefaultViewCaption{"Default View"};
inline constexpr QLatin1String ZoomHint{"[Alt]+Drag   : Zoom"};
inline constexpr QLatin1String PanHint{"[Shift]+Drag : Pan"};

// Option captions, by index in their option array.
inline constexpr QLatin1String PlotStyleCaptions[] = {QLatin1String("Surf + Line"),
                                                      QLatin1String("Line")};
inline constexpr QLatin1String ColourMapCaptions[] = {
    QLatin1String("Color Spectrum"), QLatin1String("Grayscale"), QLatin1String("None(Blue)")};

// Shown in place of the graph where no OpenGL context can be had.
inline constexpr QLatin1String NoGraphNotice{
    "The 3-D graph cannot be shown: no OpenGL context is available on this display."};
