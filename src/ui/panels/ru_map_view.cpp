#include "panels/ru_map_view.h"

#include "common/zoomed_layout.h"
#include "document/calibration_document.h"
#include "document/change_ru.h"
#include "image/graph_position.h"

#include <QPushButton>

RuMapView::RuMapView(CalibrationDocument &document, QWidget *parent)
    : GraphView({.panel = "Frame7",
                 .title = "RU MAP",
                 .slider = "Slider3",
                 .neLabel = "Label17",
                 .valueLabel = "Label18",
                 .line = "Line1",
                 .zeroLine = nullptr,
                 .caption = "Label4",
                 .captions = {"0%", "15%", "-15%"}},
                RuSliderScale, ruSliderPosition(0), document, parent) {
    auto *allDataChange = new QPushButton(QStringLiteral("All data change"), this);
    allDataChange->setObjectName(QStringLiteral("Command8"));
    placeInTwips(allDataChange, QRect(11160, 5220, 2520, 495));
    connect(allDataChange, &QPushButton::clicked, this, &RuMapView::allDataChangeClicked);
}

int RuMapView::offsetShown(int i) const {
    return ruMapOffset(i);
}

QString RuMapView::placeShown(int i) const {
    return m_document.tables().NeText[static_cast<std::size_t>(i - 1)] + QStringLiteral(" r/min");
}

int RuMapView::positionOf(std::uint8_t byte) const {
    return ruSliderPosition(byte);
}

void RuMapView::enter() {
    showRuMap();
    showNeTexts();
}

void RuMapView::showAfterLoad() {
    // The labels follow every load; a view left showing follows the new data.
    showValueTexts(m_document.tables().RuadjText);
    if (isHidden())
        return;
    showRuMap();
    showNeTexts();
}

void RuMapView::showRuMap() {
    const EcuTables &t = m_document.tables();
    std::array<int, NePoints> positions{};
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = ruSliderPosition(t.RuadjData[i]);
    positionSliders(positions, t.RuadjText);
}

void RuMapView::edit(int i, int position, quint64 gesture) {
    (void)m_document.apply(changeRuPoint(i, ruByteAtPosition(position), gesture));
}
