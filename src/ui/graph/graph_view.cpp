#include "graph/graph_view.h"

#include "common/clickable_label.h"
#include "common/colours.h"
#include "common/element_name.h"
#include "common/twips.h"
#include "compare/compare_mark.h"
#include "document/calibration_document.h"
#include "document/change_cells.h"
#include "document/change_ru.h"
#include "document/comparison.h"
#include "graph/graph_canvas.h"
#include "graph/graph_slider.h"
#include "image/display_text.h"
#include "image/graph_position.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

// Layout inside the view, twips. Slider i stands at SliderFirstX + (i - 1) * SliderPitch.
constexpr double SliderFirstX = 1560;
constexpr double SliderPitch = 780;
constexpr int SliderWidth = 480;
constexpr int LabelWidth = 720;
constexpr int LabelHeight = 300;
constexpr int ValueLabelTop = 4260;
constexpr int NeLabelTop = 4620;
constexpr int CaptionLeft = 120;
constexpr int CaptionWidth = 1020;
constexpr int CaptionHeight = 255;
constexpr double ZeroLineLeft = 1200;
constexpr double ZeroLineRight = 13680;
constexpr int BottomRowTop = 5280;

struct GraphNames {
    const char *panel;
    const char *title;
    const char *slider;
    const char *neLabel;
    const char *valueLabel;
    const char *line;
    const char *zeroLine; // none in the RU view
    const char *caption;
    const char *rowSelector; // the row selector and its caption: none in the RU view
    const char *rowCaption;
    int scale;
    // Scale captions: element 0 at the zero line, 1 at the top, 2 at the bottom.
    std::array<const char *, 3> captions;
};

GraphNames namesOf(GraphKind kind) {
    switch (kind) {
    case GraphKind::Fi:
        return {.panel = "Frame2",
                .title = "Fi Map (graph mode)",
                .slider = "Slider1",
                .neLabel = "Label10",
                .valueLabel = "Label12",
                .line = "Line4",
                .zeroLine = "Line3",
                .caption = "Label9",
                .rowSelector = "Combo2",
                .rowCaption = "Label11",
                .scale = FiSliderScale,
                .captions = {"0%", "+30%", "-30%"}};
    case GraphKind::Ig:
        return {.panel = "FrameIG_Map_GRA",
                .title = "IG Map (graph mode)",
                .slider = "Slider_IG1",
                .neLabel = "Label_IG10",
                .valueLabel = "Label_IG12",
                .line = "Line_IG4",
                .zeroLine = "Line7",
                .caption = "Label_IG9",
                .rowSelector = "Combo_IG2",
                .rowCaption = "Label31",
                .scale = IgSliderScale,
                .captions = {"0deg", "+3deg", "-20deg"}};
    case GraphKind::Ru:
        break;
    }
    return {.panel = "Frame7",
            .title = "RU MAP",
            .slider = "Slider3",
            .neLabel = "Label17",
            .valueLabel = "Label18",
            .line = "Line1",
            .zeroLine = nullptr,
            .caption = "Label4",
            .rowSelector = nullptr,
            .rowCaption = nullptr,
            .scale = RuSliderScale,
            .captions = {"0%", "15%", "-15%"}};
}

double sliderX(int i) {
    return SliderFirstX + (i - 1) * SliderPitch;
}

// The position of a change of zero.
int zeroPosition(GraphKind kind) {
    switch (kind) {
    case GraphKind::Fi:
        return fiSliderPosition(100);
    case GraphKind::Ig:
        return igSliderPosition(0);
    case GraphKind::Ru:
        break;
    }
    return ruSliderPosition(0);
}

// Places a caption so that its vertical centre lies at y twips.
void centreCaptionAt(QLabel *caption, double y) {
    caption->move(caption->x(), twipsToPixelsY(y) - caption->height() / 2);
}

} // namespace

GraphView::GraphView(GraphKind kind, CalibrationDocument &document, WindowState &state,
                     QWidget *parent)
    : QGroupBox(parent)
    , m_kind(kind)
    , m_scale(namesOf(kind).scale)
    , m_document(document)
    , m_state(state) {
    const GraphNames names = namesOf(kind);
    setObjectName(QLatin1String(names.panel));
    setTitle(QLatin1String(names.title));
    // The lines lie beneath every control of the view.
    m_canvas = new GraphCanvas(this);
    buildPolyline(names.line);
    buildScale(names.caption, names.zeroLine, names.captions);
    buildSliders(names.slider, names.neLabel, names.valueLabel);
    if (names.rowSelector)
        buildRowSelector(names.rowSelector, names.rowCaption);
    if (kind == GraphKind::Ru) {
        auto *allDataChange = new QPushButton(QStringLiteral("All data change"), this);
        allDataChange->setObjectName(QStringLiteral("Command8"));
        allDataChange->setGeometry(twipsRect(11160, BottomRowTop - 60, 2520, 495));
        connect(allDataChange, &QPushButton::clicked, this, &GraphView::allDataChangeClicked);
    }
    connect(&document, &CalibrationDocument::dataReplaced, this, &GraphView::showAfterLoad);
    connect(&document, &CalibrationDocument::bytesChanged, this, &GraphView::showChanged);
}

void GraphView::buildPolyline(const char *lineName) {
    const QPen pen(QColor(0, 0, 0xC0), 2);
    const QPen otherPen(CompareMarkColour, 1, Qt::DashLine);
    const double y = knobY(zeroPosition(m_kind), m_scale);
    for (int j = 1; j < NePoints; ++j) {
        const QLineF line(sliderX(j), y, sliderX(j + 1), y);
        const auto at = static_cast<std::size_t>(j - 1);
        m_otherLines[at] = m_canvas->addLine(elementName("OtherLine", j), line, otherPen);
        m_otherLines[at]->setShown(false);
        m_lines[at] = m_canvas->addLine(elementName(lineName, j), line, pen);
    }
}

void GraphView::buildScale(const char *captionName, const char *zeroLineName,
                           const std::array<const char *, 3> &captions) {
    const std::array<double, 3> heights{knobY(zeroPosition(m_kind), m_scale), knobY(0, m_scale),
                                        knobY(m_scale, m_scale)};
    for (int k = 0; k < 3; ++k) {
        const auto at = static_cast<std::size_t>(k);
        auto *caption = new QLabel(QLatin1String(captions[at]), this);
        caption->setObjectName(elementName(captionName, k));
        caption->setGeometry(twipsRect(CaptionLeft, 0, CaptionWidth, CaptionHeight));
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        centreCaptionAt(caption, heights[at]);
        m_scaleCaptions[at] = caption;
    }
    if (!zeroLineName)
        return;
    m_zeroLine = m_canvas->addLine(QLatin1String(zeroLineName),
                                   QLineF(ZeroLineLeft, heights[0], ZeroLineRight, heights[0]),
                                   QPen(Qt::darkGray, 1, Qt::DashLine));
    // The IG zero marks appear when the view is entered.
    if (m_kind == GraphKind::Ig) {
        m_zeroLine->setShown(false);
        m_scaleCaptions[0]->setVisible(false);
    }
}

void GraphView::buildSliders(const char *sliderName, const char *neName, const char *valueName) {
    const int topKnob = twipsToPixelsY(knobY(0, m_scale));
    const int bottomKnob = twipsToPixelsY(knobY(m_scale, m_scale));
    for (int i = 1; i <= NePoints; ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        auto *slider = new GraphSlider(elementName(sliderName, i), m_scale, this);
        slider->placeKnobTravel(twipsToPixelsX(sliderX(i) - SliderWidth / 2.0),
                                twipsToPixelsX(SliderWidth), topKnob, bottomKnob);
        m_sliders[at] = slider;

        const int labelLeft = static_cast<int>(sliderX(i)) - LabelWidth / 2;
        auto *value = new ClickableLabel(this);
        value->setObjectName(elementName(valueName, i));
        value->setGeometry(twipsRect(labelLeft, ValueLabelTop, LabelWidth, LabelHeight));
        value->setAlignment(Qt::AlignCenter);
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        setBackground(value, buttonFaceColour());
        m_valueLabels[at] = value;

        auto *ne = new QLabel(this);
        ne->setObjectName(elementName(neName, i));
        ne->setGeometry(twipsRect(labelLeft, NeLabelTop, LabelWidth, LabelHeight));
        ne->setAlignment(Qt::AlignCenter);
        m_neLabels[at] = ne;

        connect(slider, &GraphSlider::valueChanged, this, [this, i] { sliderValueChanged(i); });
        connect(slider, &GraphSlider::sliderPressed, this,
                [this] { m_gesture = m_document.newGesture(); });
        connect(slider, &GraphSlider::focusEntered, this, [this, value] {
            setBackground(value, LightYellow);
            setArmed(true);
        });
        connect(slider, &GraphSlider::focusLeft, this, [this, value] {
            setBackground(value, buttonFaceColour());
            setArmed(false);
        });
        connect(value, &ClickableLabel::clicked, this, [value, slider] {
            setBackground(value, LightYellow);
            slider->setFocus(Qt::MouseFocusReason);
        });
    }
}

void GraphView::buildRowSelector(const char *selectorName, const char *captionName) {
    auto *caption = new QLabel(QStringLiteral("TH Position"), this);
    caption->setObjectName(QLatin1String(captionName));
    caption->setGeometry(twipsRect(1200, BottomRowTop, 1380, LabelHeight));
    m_rowSelector = new QComboBox(this);
    m_rowSelector->setObjectName(QLatin1String(selectorName));
    m_rowSelector->setGeometry(twipsRect(2640, BottomRowTop - 15, 1560, 330));
    connect(m_rowSelector, &QComboBox::activated, this, &GraphView::rowChosen);
}

void GraphView::resizeEvent(QResizeEvent *event) {
    QGroupBox::resizeEvent(event);
    m_canvas->resize(size());
}

GraphSlider *GraphView::slider(int i) const {
    return m_sliders.at(static_cast<std::size_t>(i - 1));
}

ClickableLabel *GraphView::valueLabel(int i) const {
    return m_valueLabels.at(static_cast<std::size_t>(i - 1));
}

QLabel *GraphView::neLabel(int i) const {
    return m_neLabels.at(static_cast<std::size_t>(i - 1));
}

GraphLine *GraphView::line(int j) const {
    return m_lines.at(static_cast<std::size_t>(j - 1));
}

GraphLine *GraphView::otherLine(int j) const {
    return m_otherLines.at(static_cast<std::size_t>(j - 1));
}

void GraphView::setComparison(const Comparison *comparison) {
    m_comparison = comparison;
    connect(comparison, &Comparison::changed, this, &GraphView::showComparison);
    showComparison();
}

int GraphView::offsetShown(int i) const {
    if (m_kind == GraphKind::Ru)
        return ruMapOffset(i);
    if (m_row < 1 || m_row > ThRows)
        return -1;
    return cellOffset(m_kind == GraphKind::Fi ? MapKind::Fi : MapKind::Ig, cellNumber(m_row, i));
}

void GraphView::showComparison() {
    const bool active = m_comparison && m_comparison->isActive() && offsetShown(1) >= 0;
    double previousY = 0.0;
    for (int i = 1; i <= NePoints; ++i) {
        const Difference *d = active ? m_comparison->differenceAt(offsetShown(i)) : nullptr;
        showCompareMark(valueLabel(i), d ? parameterText(d->place.kind, d->theirs) : QString());
        if (!active)
            continue;
        const std::uint8_t theirs = d ? d->theirs : m_document.image().byte(offsetShown(i));
        const int position = m_kind == GraphKind::Fi   ? fiSliderPosition(theirs)
                             : m_kind == GraphKind::Ig ? igSliderPosition(theirs)
                                                       : ruSliderPosition(theirs);
        const double y = knobY(std::clamp(position, 0, m_scale), m_scale);
        if (i > 1) {
            otherLine(i - 1)->setY1(previousY);
            otherLine(i - 1)->setY2(y);
        }
        previousY = y;
    }
    for (GraphLine *other : m_otherLines)
        other->setShown(active);
}

std::uint8_t &GraphView::armedFlag() {
    switch (m_kind) {
    case GraphKind::Fi:
        return m_state.SliderArmedFi;
    case GraphKind::Ig:
        return m_state.SliderArmedIg;
    case GraphKind::Ru:
        break;
    }
    return m_state.SliderArmedRu;
}

void GraphView::setArmed(bool armed) {
    armedFlag() = armed ? SliderArmed : SliderDisarmed;
}

void GraphView::enter() {
    const EcuTables &t = m_document.tables();
    if (m_kind == GraphKind::Ru) {
        Ruadj_IND(*this, t);
        showNeTexts();
        return;
    }
    m_state.SelIndex = 1;
    // The highest throttle point at the top.
    m_rowSelector->clear();
    for (int i = 1; i <= ThPoints; ++i)
        m_rowSelector->addItem(t.ThText[static_cast<std::size_t>(ThPoints - i)] +
                               QStringLiteral("%"));
    m_rowSelector->setCurrentIndex(ThPoints - 1);
    showNeTexts();
    showRow(m_state.SelIndex);
    if (m_kind != GraphKind::Ig)
        return;
    const double zeroY = knobY(zeroPosition(m_kind), m_scale);
    m_scaleCaptions[0]->setVisible(true);
    m_zeroLine->setShown(true);
    m_scaleCaptions[1]->setText(QStringLiteral("+3deg"));
    m_scaleCaptions[2]->setText(QStringLiteral("-20deg"));
    m_zeroLine->setHorizontalAt(zeroY);
    centreCaptionAt(m_scaleCaptions[0], zeroY);
}

void GraphView::showLoadedData() {
    if (m_kind == GraphKind::Ru)
        Ruadj_IND(*this, m_document.tables());
    else
        showRow(m_state.SelIndex);
    showNeTexts();
}

void GraphView::showAfterLoad() {
    // The RU labels follow every load; a Fi or RU view left showing follows the new data.
    if (m_kind == GraphKind::Ru)
        showValueTexts(m_document.tables().RuadjText);
    if (m_kind != GraphKind::Ig && !isHidden())
        showLoadedData();
}

void GraphView::showChanged(const ChangedBytes &changed) {
    for (int i = 1; i <= NePoints && offsetShown(i) >= 0; ++i) {
        if (changed.contains(offsetShown(i))) {
            if (m_kind == GraphKind::Ru)
                Ruadj_IND(*this, m_document.tables());
            else
                showRow(m_row);
            break;
        }
    }
    if (changed.anyIn(NeAxisOffset, NePoints))
        showNeTexts();
}

void GraphView::showNeTexts() {
    for (int i = 1; i <= NePoints; ++i)
        neLabel(i)->setText(m_document.tables().NeText[static_cast<std::size_t>(i - 1)]);
}

void GraphView::showValueTexts(const std::array<QString, NePoints> &texts) {
    for (int i = 1; i <= NePoints; ++i)
        valueLabel(i)->setText(texts[static_cast<std::size_t>(i - 1)]);
}

void GraphView::showRow(int th) {
    if (th < 1 || th > ThRows)
        return;
    m_row = th;
    if (m_kind == GraphKind::Fi)
        Kmap_IND(*this, m_document.tables(), th);
    else
        IGmap_IND(*this, m_document.tables(), th);
    showComparison();
}

void GraphView::rowChosen(int entry) {
    m_state.SelIndex = static_cast<std::uint8_t>(ThPoints - entry);
    showRow(m_state.SelIndex);
}

void GraphView::positionSliders(const std::array<int, NePoints> &positions,
                                const std::array<QString, NePoints> &texts) {
    // Passive: a slider that sends no change cannot be taken for an edit, even one that holds
    // the focus while its row is changed.
    for (GraphSlider *slider : m_sliders)
        slider->blockSignals(true);
    for (int i = 1; i <= NePoints; ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        valueLabel(i)->setText(texts[at]);
        slider(i)->setValue(positions[at]);
        // A position beyond the scale stops at its end, and the line follows the knob.
        moveLineEnds(i, slider(i)->value());
    }
    for (GraphSlider *slider : m_sliders)
        slider->blockSignals(false);
}

void GraphView::moveLineEnds(int i, int position) {
    const double y = knobY(position, m_scale);
    if (i != 1)
        line(i - 1)->setY2(y);
    if (i != NePoints)
        line(i)->setY1(y);
}

void GraphView::sliderValueChanged(int i) {
    if (armedFlag() != SliderArmed)
        return;
    const int position = slider(i)->value();
    const quint64 gesture = slider(i)->isSliderDown() ? m_gesture : 0;
    if (m_kind == GraphKind::Ru) {
        (void)m_document.apply(changeRuPoint(i, ruByteAtPosition(position), gesture));
        return;
    }
    // The row shown is the row edited.
    const int th = m_row;
    if (th < 1 || th > ThRows)
        return;
    const bool fi = m_kind == GraphKind::Fi;
    const std::uint8_t k = fi ? fiByteAtPosition(position) : igByteAtPosition(position);
    m_state.ValueByte = k;
    m_state.ValueText = fi ? fiText(k) : igText(k);
    (void)m_document.apply(
        changeCell(fi ? MapKind::Fi : MapKind::Ig, cellNumber(th, i), k, gesture));
}

namespace {

template <typename Position>
void showMapRow(GraphView &view, const MapTable<std::uint8_t> &bytes,
                const MapTable<QString> &texts, int th, Position positionOf) {
    if (th < 1 || th > ThRows)
        return;
    const auto row = static_cast<std::size_t>(th - 1);
    std::array<int, NePoints> positions{};
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = positionOf(bytes[row][i]);
    view.positionSliders(positions, texts[row]);
}

} // namespace

void Kmap_IND(GraphView &view, const EcuTables &tables, int th) {
    showMapRow(view, tables.KmapData, tables.KmapText, th, fiSliderPosition);
}

void IGmap_IND(GraphView &view, const EcuTables &tables, int th) {
    showMapRow(view, tables.IGmapData, tables.IGmapText, th, igSliderPosition);
}

void Ruadj_IND(GraphView &view, const EcuTables &tables) {
    std::array<int, NePoints> positions{};
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = ruSliderPosition(tables.RuadjData[i]);
    view.positionSliders(positions, tables.RuadjText);
}
