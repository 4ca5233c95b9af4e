#pragma once

#include "common/zoomed_layout.h"
#include "image/ecu_tables.h"
#include "image/map_kind.h"

#include <QGroupBox>
#include <QList>
#include <QMargins>

class CalibrationDocument;
class ChangedBytes;
class LabelledAxisFormatter;
class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QLabel;
class QSurface3DSeries;
class Q3DSurface;

// The panel "Fi Map (3D graph)" or "IG Map (3D graph)": the map as a coloured surface over the
// engine-speed and throttle axes, with the plot style and colour map options, "Default View", the
// colour legend and the mouse hints. It only displays; nothing in it changes the data. It follows
// the document's edits, undos and redos while it shows the map.
//
// The graph is made the first time the view is shown (it is costly and most sessions never
// open it). Where no OpenGL context can be had, the panel then shows a plain notice instead of
// the graph and every operation still works on what remains.
class Map3DView : public QGroupBox, public ZoomFollower {
    Q_OBJECT
public:
    enum class PlotStyle { SurfaceAndLine = 0, Line = 1 };
    enum class ColourMapStyle { Spectrum = 0, Grayscale = 1, None = 2 };

    Map3DView(MapKind kind, const CalibrationDocument &document, QWidget *parent = nullptr);
    ~Map3DView() override;

    // Start-up: hands the "Color Spectrum" colour map to the graph; for IG also sets the legend
    // captions and fixes the value axis at -20.5 .. 3.5. (The IG legend's unused top row is
    // never shown.)
    void setUpColourSpectrum();
    // Entering the view: makes the graph the first time, labels the axes and plots the surface
    // from the tables as they are now.
    void showMap(const EcuTables &tables);
    // After an edit, undo or redo: the points whose bytes changed (the whole map when an axis
    // moved). Nothing before the view was first shown.
    void showChanged(const ChangedBytes &changed, const EcuTables &tables);
    // Whether the view has been shown and made its graph (or its notice).
    [[nodiscard]] bool isGraphMade() const { return m_graphMade; }

    // The option buttons and "Default View" act through these.
    void chooseColourMapStyle(ColourMapStyle style);
    void choosePlotStyle(PlotStyle style);
    void resetView();

    [[nodiscard]] MapKind kind() const { return m_kind; }
    // The graph and its one surface, or nullptr where no OpenGL context could be had.
    [[nodiscard]] Q3DSurface *graph() const { return m_graph; }
    [[nodiscard]] QSurface3DSeries *series() const { return m_series; }

    // Camera of "Default View": half-way round between the two axes, a little above the floor,
    // aimed below the middle of the graph so that the axis labels in front fit in.
    static constexpr float DefaultXRotation = 45.0f;
    static constexpr float DefaultYRotation = 20.0f;
    static constexpr float DefaultZoom = 75.0f;
    static constexpr float DefaultTargetHeight = -0.5f;

protected:
    // The spaces, the side column's width and the legend's squares at the zoom in force.
    void followZoom() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void makeGraph();
    void buildGraph();
    void applySeriesStyle();
    // In map3d_side_column.cpp.
    [[nodiscard]] QWidget *buildSideColumn();
    void buildOptions();
    [[nodiscard]] QWidget *buildLegend();
    void applyColourMapStyle(ColourMapStyle style);
    void applyPlotStyle(PlotStyle style);
    void setLegendShown(bool shown);
    void showHintsWhereRoom();
    void clampViewAngles();

    struct LegendRow {
        QWidget *swatch = nullptr;
        QLabel *label = nullptr;
        bool used = true;
    };

    MapKind m_kind;
    bool m_graphMade = false;
    bool m_setUp = false; // setUpColourSpectrum() ran
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
    QWidget *m_sideColumn = nullptr;
    QWidget *m_hintFrame = nullptr;
    QGridLayout *m_legendGrid = nullptr;
    QMargins m_styleMargins; // of a frame's lines, at zoom 1
    QList<LegendRow> m_legend;
};
