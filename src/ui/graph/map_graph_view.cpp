#include "graph/map_graph_view.h"

#include "common/zoomed_layout.h"
#include "document/calibration_document.h"
#include "document/cell_place.h"
#include "document/change_cells.h"
#include "graph/graph_canvas.h"
#include "image/graph_position.h"

#include <QComboBox>
#include <QLabel>

namespace {

constexpr int BottomRowTop = 5280;
constexpr int RowCaptionHeight = 300;

GraphView::Names namesOf(MapKind kind) {
    if (kind == MapKind::Fi)
        return {.panel = "Frame2",
                .title = "Fi Map (graph mode)",
                .slider = "Slider1",
                .neLabel = "Label10",
                .valueLabel = "Label12",
                .line = "Line4",
                .zeroLine = "Line3",
                .caption = "Label9",
                .captions = {"0%", "+30%", "-30%"}};
    return {.panel = "FrameIG_Map_GRA",
            .title = "IG Map (graph mode)",
            .slider = "Slider_IG1",
            .neLabel = "Label_IG10",
            .valueLabel = "Label_IG12",
            .line = "Line_IG4",
            .zeroLine = "Line7",
            .caption = "Label_IG9",
            .captions = {"0deg", "+3deg", "-20deg"}};
}

template <typename Position>
std::array<int, NePoints> rowPositions(const MapTable<std::uint8_t> &bytes, int th,
                                       Position positionOf) {
    std::array<int, NePoints> positions{};
    const auto row = static_cast<std::size_t>(th - 1);
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = positionOf(bytes[row][i]);
    return positions;
}

} // namespace

MapGraphView::MapGraphView(MapKind kind, CalibrationDocument &document, QWidget *parent)
    : GraphView(namesOf(kind), kind == MapKind::Fi ? FiSliderScale : IgSliderScale,
                kind == MapKind::Fi ? fiSliderPosition(100) : igSliderPosition(0), document, parent)
    , m_kind(kind) {
    buildRowSelector();
    // The IG zero marks appear when the view is entered.
    if (kind == MapKind::Ig)
        showIgZeroMarks(false);
}

void MapGraphView::buildRowSelector() {
    auto *caption = new QLabel(QStringLiteral("TH Position"), this);
    caption->setObjectName(m_kind == MapKind::Fi ? QStringLiteral("Label11")
                                                 : QStringLiteral("Label31"));
    placeInTwips(caption, QRect(1200, BottomRowTop, 1380, RowCaptionHeight));
    m_rowSelector = new QComboBox(this);
    m_rowSelector->setObjectName(m_kind == MapKind::Fi ? QStringLiteral("Combo2")
                                                       : QStringLiteral("Combo_IG2"));
    placeInTwips(m_rowSelector, QRect(2640, BottomRowTop - 15, 1560, 330));
    connect(m_rowSelector, &QComboBox::activated, this, &MapGraphView::rowChosen);
}

void MapGraphView::showIgZeroMarks(bool shown) {
    zeroLine()->setShown(shown);
    scaleCaption(0)->setVisible(shown);
}

int MapGraphView::offsetShown(int i) const {
    if (m_row < 1 || m_row > ThRows)
        return -1;
    return cellOffset(m_kind, cellNumber(m_row, i));
}

QString MapGraphView::placeShown(int i) const {
    return cellPlaceText(m_document.tables(), m_row, i);
}

int MapGraphView::positionOf(std::uint8_t byte) const {
    return m_kind == MapKind::Fi ? fiSliderPosition(byte) : igSliderPosition(byte);
}

void MapGraphView::enter() {
    const EcuTables &t = m_document.tables();
    // The highest throttle point at the top.
    m_rowSelector->clear();
    for (int i = 1; i <= ThPoints; ++i)
        m_rowSelector->addItem(t.ThText[static_cast<std::size_t>(ThPoints - i)] +
                               QStringLiteral("%"));
    m_rowSelector->setCurrentIndex(ThPoints - 1);
    showNeTexts();
    showRow(1);
    if (m_kind != MapKind::Ig)
        return;
    const double zeroY = knobHeight(m_zeroPosition);
    showIgZeroMarks(true);
    scaleCaption(1)->setText(QStringLiteral("+3deg"));
    scaleCaption(2)->setText(QStringLiteral("-20deg"));
    zeroLine()->setHorizontalAt(zeroY);
    centreCaption(0, zeroY);
}

void MapGraphView::showAfterLoad() {
    // A Fi view left showing follows the new data; the IG view waits until it is entered.
    if (m_kind == MapKind::Ig || isHidden())
        return;
    showRow(m_row);
    showNeTexts();
}

void MapGraphView::showRow(int th) {
    if (th < 1 || th > ThRows)
        return;
    m_row = th;
    if (m_kind == MapKind::Fi)
        showFiRow(th);
    else
        showIgRow(th);
    showComparison();
}

void MapGraphView::showFiRow(int th) {
    const EcuTables &t = m_document.tables();
    positionSliders(rowPositions(t.KmapData, th, fiSliderPosition),
                    t.KmapText[static_cast<std::size_t>(th - 1)]);
}

void MapGraphView::showIgRow(int th) {
    const EcuTables &t = m_document.tables();
    positionSliders(rowPositions(t.IGmapData, th, igSliderPosition),
                    t.IGmapText[static_cast<std::size_t>(th - 1)]);
}

void MapGraphView::rowChosen(int entry) {
    showRow(ThPoints - entry);
}

void MapGraphView::edit(int i, int position, quint64 gesture) {
    // The row shown is the row edited.
    if (m_row < 1 || m_row > ThRows)
        return;
    const std::uint8_t byte =
        m_kind == MapKind::Fi ? fiByteAtPosition(position) : igByteAtPosition(position);
    (void)m_document.apply(changeCell(m_kind, cellNumber(m_row, i), byte, gesture));
}
