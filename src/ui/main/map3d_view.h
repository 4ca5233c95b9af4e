#pragma once

#include "image/ecu_tables.h"
#include "map3d_kind.h"

#include <QGroupBox>
#include <QList>

class LabelledAxisFormatter;
class QAbstractButton;
class QButtonGroup;
class QLabel;
class QSurface3DSeries;
class Q3DSurface;

// The panel "Fi Map (3D graph)" (Frame8, graph CWGraph3D1) or "IG Map (3D graph)"
// (FrameIG_Map_3D, graph CWGraph3D2): the map as a coloured surface over the engine-speed and
// throttle axes, with the plot style and colour map options, "Default View", the colour legend
// and the mouse hints. It only displays; nothing in it changes the data.
//
// Where no OpenGL context can be had, the panel shows a plain notice instead of the graph and
// every operation still works on what remains.
class Map3DView : public QGroupBox {
    Q_OBJECT
public:
    enum class PlotStyle { SurfaceAndLine = 0, Line = 1 };
    enum class ColourMapStyle { Spectrum = 0, Grayscale = 1, None = 2 };

    explicit Map3DView(Map3DKind kind, QWidget *parent = nullptr);
    ~Map3DView() override;

    // Start-up: hands the "Color Spectrum" colour map to the graph; for IG also sets the legend
    // captions and fixes the value axis at -20.5 .. 3.5. (The IG legend's unused top row,
    // Text11 and Label_IG19, is never shown.)
    void setUpColourSpectrum();
    // Entering the view: labels the axes and plots the surface from the tables as they are now.
    // The view keeps nothing of them and is not refreshed while it stays open.
    void showMap(const EcuTables &tables);

    // The option buttons and "Default View" act through these.
    void chooseColourMapStyle(ColourMapStyle style);
    void choosePlotStyle(PlotStyle style);
    void resetView();

    [[nodiscard]] Map3DKind kind() const { return m_kind; }
    // The graph and its one surface, or nullptr where no OpenGL context could be had.
    [[nodiscard]] Q3DSurface *graph() const { return m_graph; }
    [[nodiscard]] QSurface3DSeries *series() const { return m_series; }

    // Camera of "Default View": half-way round between the two axes, a little above the floor,
    // aimed below the middle of the graph so that the axis labels in front fit in.
    static constexpr float DefaultXRotation = 45.0f;
    static constexpr float DefaultYRotation = 20.0f;
    static constexpr float DefaultZoom = 75.0f;
    static constexpr float DefaultTargetHeight = -0.5f;

private:
    void buildGraph();
    void buildSideColumn();
    [[nodiscard]] QWidget *buildLegend();
    void applyColourMapStyle(ColourMapStyle style);
    void applyPlotStyle(PlotStyle style);
    void setLegendShown(bool shown);
    void clampViewAngles();

    struct LegendRow {
        QWidget *swatch = nullptr;
        QLabel *label = nullptr;
        bool used = true;
    };

    Map3DKind m_kind;
    Q3DSurface *m_graph = nullptr;
    QSurface3DSeries *m_series = nullptr;
    LabelledAxisFormatter *m_neFormatter = nullptr;
    LabelledAxisFormatter *m_thFormatter = nullptr;
    QWidget *m_graphArea = nullptr;
    QButtonGroup *m_plotStyles = nullptr;
    QButtonGroup *m_colourMaps = nullptr;
    QAbstractButton *m_defaultView = nullptr;
    QWidget *m_plotStyleFrame = nullptr;
    QWidget *m_colourMapFrame = nullptr;
    QList<LegendRow> m_legend;
};
