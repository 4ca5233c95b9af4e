#include "map3d/map3d_view.h"

#include "common/colour_maps.h"
#include "common/twips.h"
#include "document/calibration_document.h"
#include "document/change_cells.h"
#include "map3d/labelled_axis_formatter.h"
#include "map3d/map3d_data.h"
#include "map3d/map3d_input_handler.h"
#include "map3d/map3d_setup.h"

#include <Q3DCamera>
#include <Q3DScene>
#include <Q3DSurface>
#include <Q3DTheme>
#include <QButtonGroup>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSurface3DSeries>
#include <QSurfaceDataProxy>
#include <QValue3DAxis>
#include <algorithm>

namespace {

// Q3DSurface draws into its own window surface. The headless platforms have none: without a
// display they give no context at all, and the offscreen platform with an X display at hand
// even gives one, yet the graph crashes on its first frame.
bool platformDrawsGlWindows() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

// Round values on the vertical axis, the ends of the colour maps among them. The labels are
// drawn small and slanted: a hyphen there is a dot or two, the minus sign is as wide as a digit.
QList<LabelledValue> valueAxisLabels(MapKind kind) {
    const QList<int> values = kind == MapKind::Fi ? QList<int>{-30, -20, -10, 0, 10, 20, 30}
                                                  : QList<int>{-20, -15, -10, -5, 0, 3};
    QList<LabelledValue> labels;
    for (int v : values) {
        QString text = QString::number(v);
        text.replace(QLatin1Char('-'), QChar(0x2212));
        labels.append({static_cast<double>(v), text});
    }
    return labels;
}

void configureAxis(QValue3DAxis *axis, QLatin1String title) {
    axis->setTitle(title);
    axis->setTitleVisible(true);
    axis->setLabelAutoRotation(30.0f);
}

} // namespace

Map3DView::Map3DView(MapKind kind, const CalibrationDocument &document, QWidget *parent)
    : QGroupBox(parent)
    , m_kind(kind) {
    const Map3DSetup &setup = map3dSetup(kind);
    setObjectName(setup.panel);
    setTitle(setup.caption);

    auto *layout = new QHBoxLayout(this);

    // The graph takes this place when the view is first shown.
    m_graphArea = new QWidget(this);
    layout->addWidget(m_graphArea, 1);
    m_sideColumn = buildSideColumn();
    layout->addWidget(m_sideColumn);
    followZoom();

    // "Surf + Line" and "Color Spectrum" are chosen from the start; the colour map itself is
    // handed over by setUpColourSpectrum().
    m_plotStyles->button(static_cast<int>(PlotStyle::SurfaceAndLine))->setChecked(true);
    m_colourMaps->button(static_cast<int>(ColourMapStyle::Spectrum))->setChecked(true);
    setLegendShown(true);

    connect(&document, &CalibrationDocument::bytesChanged, this,
            [this, &document](const ChangedBytes &changed) {
                showChanged(changed, document.tables());
            });
}

Map3DView::~Map3DView() = default;

void Map3DView::makeGraph() {
    if (m_graphMade)
        return;
    m_graphMade = true;
    QWidget *placeholder = m_graphArea;
    buildGraph();
    delete layout()->replaceWidget(placeholder, m_graphArea);
    delete placeholder;
    m_graphArea->show();
    // Without a graph there is nothing for the options to act on.
    const bool enabled = m_graph != nullptr;
    m_plotStyleFrame->setEnabled(enabled);
    m_colourMapFrame->setEnabled(enabled);
    m_defaultView->setEnabled(enabled);
    if (!m_graph)
        return;
    const Map3DSetup &setup = map3dSetup(m_kind);
    if (!setup.setUpAtStartUp || m_setUp)
        m_graph->axisY()->setRange(static_cast<float>(setup.valueMin),
                                   static_cast<float>(setup.valueMax));
    applySeriesStyle();
}

void Map3DView::buildGraph() {
    const Map3DSetup &setup = map3dSetup(m_kind);
    if (platformDrawsGlWindows()) {
        m_graph = new Q3DSurface;
        if (!m_graph->hasContext()) {
            delete m_graph;
            m_graph = nullptr;
        }
    }
    if (!m_graph) {
        auto *notice = new QLabel(NoGraphNotice, this);
        notice->setObjectName(QStringLiteral("noGraphNotice"));
        notice->setAlignment(Qt::AlignCenter);
        notice->setWordWrap(true);
        notice->setFrameShape(QFrame::StyledPanel);
        m_graphArea = notice;
        return;
    }

    m_graph->setObjectName(setup.graph);
    Q3DTheme *theme = m_graph->activeTheme();
    theme->setType(Q3DTheme::ThemeDigia);
    // Mostly even light, so that the surface shows the legend's colours; a little shading
    // keeps its shape readable.
    theme->setAmbientLightStrength(0.75f);
    theme->setLightStrength(2.0f);
    theme->setHighlightLightStrength(0.0f);
    // The labels are drawn small and slanted; thin strokes there blur into the background.
    QFont font = theme->font();
    font.setPointSizeF(40.0);
    font.setBold(true);
    theme->setFont(font);
    m_graph->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
    m_graph->setSelectionMode(QAbstract3DGraph::SelectionNone);
    // Axes get equal room on the floor; with the default of 0 the floor takes the proportions
    // of the axis ranges (14000 r/min against 100 %).
    m_graph->setHorizontalAspectRatio(1.0);
    m_graph->setActiveInputHandler(new Map3DInputHandler(m_graph));

    m_neFormatter = new LabelledAxisFormatter;
    m_thFormatter = new LabelledAxisFormatter;
    m_graph->axisX()->setFormatter(m_neFormatter);
    m_graph->axisZ()->setFormatter(m_thFormatter);
    auto *valueFormatter = new LabelledAxisFormatter;
    valueFormatter->setLabelledValues(valueAxisLabels(m_kind));
    m_graph->axisY()->setFormatter(valueFormatter);
    configureAxis(m_graph->axisX(), NeAxisTitle);
    configureAxis(m_graph->axisZ(), ThAxisTitle);
    configureAxis(m_graph->axisY(), setup.valueTitle);

    m_series = new QSurface3DSeries;
    m_series->setFlatShadingEnabled(false);
    m_graph->addSeries(m_series);

    Q3DCamera *camera = m_graph->scene()->activeCamera();
    camera->setWrapXRotation(false);
    connect(camera, &Q3DCamera::xRotationChanged, this, &Map3DView::clampViewAngles);
    connect(camera, &Q3DCamera::yRotationChanged, this, &Map3DView::clampViewAngles);
    resetView();

    auto *container = QWidget::createWindowContainer(m_graph, this);
    container->setObjectName(setup.graph);
    container->setFocusPolicy(Qt::StrongFocus);
    m_graphArea = container;
}

void Map3DView::setUpColourSpectrum() {
    m_setUp = true;
    const Map3DSetup &setup = map3dSetup(m_kind);
    if (setup.setUpAtStartUp) {
        // The unused top row gets no caption and is never shown.
        for (int i = 0; i < m_legend.size(); ++i)
            m_legend[i].label->setText(setup.legend[i].caption);
    }
    // A graph made before this takes the colour map and range now; a later one when it is made.
    if (m_graph) {
        m_graph->axisY()->setRange(static_cast<float>(setup.valueMin),
                                   static_cast<float>(setup.valueMax));
        applySeriesStyle();
    }
}

void Map3DView::showChanged(const ChangedBytes &changed, const EcuTables &tables) {
    if (!m_graph)
        return;
    if (changed.anyIn(NeAxisOffset, NePoints) || changed.anyIn(ThAxisOffset, ThPoints)) {
        showMap(tables);
        return;
    }
    QSurfaceDataProxy *proxy = m_series->dataProxy();
    if (proxy->rowCount() != ThPoints)
        return;
    const Map3DSurfaceData surface = map3dSurfaceData(m_kind, tables);
    for (int cell = 1; cell <= MapCells; ++cell) {
        if (!changed.contains(cellOffset(m_kind, cell)))
            continue;
        const int j = thRowOfCell(cell) - 1;
        const int i = neColumnOfCell(cell) - 1;
        const auto at = [](int index) { return static_cast<std::size_t>(index); };
        proxy->setItem(j, i,
                       QSurfaceDataItem(QVector3D(static_cast<float>(surface.x[at(i)]),
                                                  static_cast<float>(surface.z[at(j)][at(i)]),
                                                  static_cast<float>(surface.y[at(j)]))));
    }
}

void Map3DView::showMap(const EcuTables &tables) {
    makeGraph();
    if (!m_graph)
        return;
    const Map3DSurfaceData surface = map3dSurfaceData(m_kind, tables);
    // Q3DSurface works out its own ranges as if both axes ran upwards, and they run downwards
    // here; so the ranges are set from the data.
    const AxisSpan ne = axisSpan(surface.x);
    const AxisSpan th = axisSpan(surface.y);
    m_graph->axisX()->setRange(static_cast<float>(ne.min), static_cast<float>(ne.max));
    m_graph->axisZ()->setRange(static_cast<float>(th.min), static_cast<float>(th.max));
    m_neFormatter->setLabelledValues(neLabelledValues(tables));
    m_thFormatter->setLabelledValues(thLabelledValues(tables));

    auto *rows = new QSurfaceDataArray;
    rows->reserve(ThPoints);
    for (int j = 0; j < ThPoints; ++j) {
        auto *row = new QSurfaceDataRow(NePoints);
        for (int i = 0; i < NePoints; ++i)
            (*row)[i].setPosition(QVector3D(static_cast<float>(surface.x[i]),
                                            static_cast<float>(surface.z[j][i]),
                                            static_cast<float>(surface.y[j])));
        rows->append(row);
    }
    m_series->dataProxy()->resetArray(rows);
}

void Map3DView::resetView() {
    if (!m_graph)
        return;
    Q3DCamera *camera = m_graph->scene()->activeCamera();
    camera->setTarget(QVector3D(0.0f, DefaultTargetHeight, 0.0f));
    camera->setCameraPosition(DefaultXRotation, DefaultYRotation, DefaultZoom);
}

void Map3DView::clampViewAngles() {
    Q3DCamera *camera = m_graph->scene()->activeCamera();
    camera->setXRotation(std::clamp(camera->xRotation(), 0.0f, 90.0f));
    camera->setYRotation(std::clamp(camera->yRotation(), 0.0f, 90.0f));
}
