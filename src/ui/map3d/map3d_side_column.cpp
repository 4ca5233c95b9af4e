// The side column of a 3-D view: the plot style and colour map options, "Default View", the
// colour legend and the mouse hints.

#include "common/colour_maps.h"
#include "common/element_name.h"
#include "common/twips.h"
#include "common/zoomed_layout.h"
#include "map3d/map3d_setup.h"
#include "map3d/map3d_view.h"

#include <Q3DTheme>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSurface3DSeries>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Sizes in twips.
constexpr int SideColumnWidth = 3000;
constexpr int SwatchSize = 240;

} // namespace

QWidget *Map3DView::buildSideColumn() {
    const Map3DSetup &setup = map3dSetup(m_kind);
    buildOptions();
    auto *side = new QWidget(this);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(m_plotStyleFrame);
    sideLayout->addWidget(m_colourMapFrame);
    sideLayout->addWidget(m_defaultView);
    sideLayout->addWidget(buildLegend());
    sideLayout->addStretch(1);

    auto *hints = new QFrame(side);
    hints->setObjectName(setup.hintFrame);
    hints->setFrameShape(QFrame::StyledPanel);
    auto *hintLayout = new QVBoxLayout(hints);
    m_hintFrame = hints;
    m_styleMargins = hintLayout->contentsMargins();
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QLatin1String text : {ZoomHint, PanHint}) {
        auto *hint = new QLabel(text, hints);
        setDesignedFont(hint, fixed);
        hintLayout->addWidget(hint);
    }
    sideLayout->addWidget(hints);
    return side;
}

void Map3DView::buildOptions() {
    const Map3DSetup &setup = map3dSetup(m_kind);

    auto *plotFrame = new QGroupBox(PlotStyleCaption, this);
    plotFrame->setObjectName(setup.plotStyleFrame);
    auto *plotLayout = new QVBoxLayout(plotFrame);
    m_plotStyles = new QButtonGroup(this);
    for (int k = 0; k < 2; ++k) {
        auto *option = new QRadioButton(PlotStyleCaptions[k], plotFrame);
        option->setObjectName(elementName(setup.plotStyleOption, k));
        m_plotStyles->addButton(option, k);
        plotLayout->addWidget(option);
    }
    connect(m_plotStyles, &QButtonGroup::idClicked, this,
            [this](int k) { choosePlotStyle(static_cast<PlotStyle>(k)); });
    m_plotStyleFrame = plotFrame;

    auto *colourFrame = new QGroupBox(ColourMapCaption, this);
    colourFrame->setObjectName(setup.colourMapFrame);
    auto *colourLayout = new QVBoxLayout(colourFrame);
    m_colourMaps = new QButtonGroup(this);
    for (int k = 0; k < 3; ++k) {
        auto *option = new QRadioButton(ColourMapCaptions[k], colourFrame);
        option->setObjectName(elementName(setup.colourMapOption, k));
        m_colourMaps->addButton(option, k);
        colourLayout->addWidget(option);
    }
    connect(m_colourMaps, &QButtonGroup::idClicked, this,
            [this](int k) { chooseColourMapStyle(static_cast<ColourMapStyle>(k)); });
    m_colourMapFrame = colourFrame;

    auto *defaultView = new QPushButton(DefaultViewCaption, this);
    defaultView->setObjectName(setup.defaultView);
    connect(defaultView, &QPushButton::clicked, this, &Map3DView::resetView);
    m_defaultView = defaultView;
}

QWidget *Map3DView::buildLegend() {
    const Map3DSetup &setup = map3dSetup(m_kind);
    auto *legend = new QWidget(this);
    auto *grid = new QGridLayout(legend);
    grid->setContentsMargins(0, 0, 0, 0);
    m_legendGrid = grid;
    int row = 0;
    for (const LegendEntry &entry : setup.legend) {
        auto *swatch = new QLabel(legend);
        swatch->setObjectName(entry.swatch);
        swatch->setFrameShape(QFrame::Box);
        swatch->setAutoFillBackground(true);
        QPalette palette = swatch->palette();
        palette.setColor(QPalette::Window, colourFromBgr(entry.colourBgr));
        swatch->setPalette(palette);

        auto *label = new QLabel(setup.setUpAtStartUp ? QString() : QString(entry.caption), legend);
        label->setObjectName(entry.label);

        grid->addWidget(swatch, row, 0);
        grid->addWidget(label, row, 1);
        m_legend.append({swatch, label, entry.used});
        ++row;
    }
    grid->setColumnStretch(1, 1);
    return legend;
}

void Map3DView::followZoom() {
    const int spaceX = twipsToPixelsX(Map3DSpacing);
    const int spaceY = twipsToPixelsY(Map3DSpacing);
    const int rowGap = twipsToPixelsY(Map3DSpacing / 3);
    layout()->setContentsMargins(spaceX, spaceY, spaceX, spaceY);
    layout()->setSpacing(spaceX);
    m_sideColumn->setFixedWidth(twipsToPixelsX(SideColumnWidth));
    m_sideColumn->layout()->setSpacing(spaceY);
    // The style's margins and spacing do not shrink with the zoom: below 1 they would leave the
    // column taller than the view, so the frames are drawn closer around their lines.
    const double shrink = std::min(layoutZoom(), 1.0);
    for (QWidget *frame : {m_plotStyleFrame, m_colourMapFrame, m_hintFrame}) {
        const QMargins &m = m_styleMargins;
        frame->layout()->setContentsMargins(qRound(m.left() * shrink), qRound(m.top() * shrink),
                                            qRound(m.right() * shrink),
                                            qRound(m.bottom() * shrink));
        frame->layout()->setSpacing(shrink < 1.0 ? rowGap : -1);
    }
    m_legendGrid->setHorizontalSpacing(spaceX);
    m_legendGrid->setVerticalSpacing(rowGap);
    for (const LegendRow &row : std::as_const(m_legend))
        row.swatch->setFixedSize(twipsSize(SwatchSize, SwatchSize));
    showHintsWhereRoom();
}

void Map3DView::resizeEvent(QResizeEvent *event) {
    QGroupBox::resizeEvent(event);
    showHintsWhereRoom();
}

void Map3DView::showHintsWhereRoom() {
    // Below zoom 1 the style's fixed parts (option marks, frame edges) leave the column too little
    // room for the mouse hints as well: they give way to the legend. From 1 up the column has the
    // room it was designed with, or more.
    const int room = contentsRect().height() - 2 * twipsToPixelsY(Map3DSpacing);
    m_hintFrame->setVisible(true);
    m_sideColumn->layout()->invalidate();
    m_hintFrame->setVisible(layoutZoom() >= 1.0 ||
                            m_sideColumn->layout()->minimumSize().height() <= room);
}

void Map3DView::chooseColourMapStyle(ColourMapStyle style) {
    m_colourMaps->button(static_cast<int>(style))->setChecked(true);
    applyColourMapStyle(style);
}

void Map3DView::choosePlotStyle(PlotStyle style) {
    m_plotStyles->button(static_cast<int>(style))->setChecked(true);
    applyPlotStyle(style);
}

void Map3DView::applyColourMapStyle(ColourMapStyle style) {
    if (style != ColourMapStyle::None)
        choosePlotStyle(PlotStyle::SurfaceAndLine);
    setLegendShown(style == ColourMapStyle::Spectrum);
    applySeriesStyle();
}

void Map3DView::applyPlotStyle(PlotStyle style) {
    if (style == PlotStyle::Line)
        chooseColourMapStyle(ColourMapStyle::None);
    applySeriesStyle();
}

// The surface takes the options as they are checked.
void Map3DView::applySeriesStyle() {
    if (!m_series)
        return;
    const auto colourStyle = static_cast<ColourMapStyle>(m_colourMaps->checkedId());
    if (colourStyle == ColourMapStyle::None) {
        m_series->setColorStyle(Q3DTheme::ColorStyleUniform);
        m_series->setBaseColor(uniformPlotColour());
    } else {
        const Map3DSetup &setup = map3dSetup(m_kind);
        m_series->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
        const QList<ColourStop> map = colourStyle == ColourMapStyle::Spectrum
                                          ? spectrumColourMap(m_kind)
                                          : grayscaleColourMap(m_kind);
        m_series->setBaseGradient(colourMapGradient(map, setup.valueMin, setup.valueMax));
    }
    if (static_cast<PlotStyle>(m_plotStyles->checkedId()) == PlotStyle::SurfaceAndLine) {
        m_series->setDrawMode(QSurface3DSeries::DrawSurfaceAndWireframe);
        m_series->setWireframeColor(Qt::black);
    } else {
        // Lines alone take the plot's own colour.
        m_series->setDrawMode(QSurface3DSeries::DrawWireframe);
        m_series->setWireframeColor(uniformPlotColour());
    }
}

void Map3DView::setLegendShown(bool shown) {
    for (const LegendRow &row : std::as_const(m_legend)) {
        row.swatch->setVisible(shown && row.used);
        row.label->setVisible(shown && row.used);
    }
}
