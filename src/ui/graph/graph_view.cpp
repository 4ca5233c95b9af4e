#include "graph/graph_view.h"

#include "common/clickable_label.h"
#include "common/colours.h"
#include "common/element_name.h"
#include "common/twips.h"
#include "compare/compare_mark.h"
#include "document/calibration_document.h"
#include "document/comparison.h"
#include "graph/graph_canvas.h"
#include "graph/graph_slider.h"
#include "image/graph_position.h"

#include <QLabel>
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

double sliderX(int i) {
    return SliderFirstX + (i - 1) * SliderPitch;
}

} // namespace

GraphView::GraphView(const Names &names, int scale, int zeroPosition, CalibrationDocument &document,
                     QWidget *parent)
    : QGroupBox(parent)
    , m_document(document)
    , m_scale(scale)
    , m_zeroPosition(zeroPosition) {
    setObjectName(QLatin1String(names.panel));
    setTitle(QLatin1String(names.title));
    // The lines lie beneath every control of the view.
    m_canvas = new GraphCanvas(this);
    buildPolyline(names.line);
    buildScale(names);
    buildSliders(names);
    connect(&document, &CalibrationDocument::dataReplaced, this, [this] { showAfterLoad(); });
    connect(&document, &CalibrationDocument::bytesChanged, this, &GraphView::showChanged);
}

double GraphView::knobHeight(int position) const {
    return knobY(position, m_scale);
}

void GraphView::centreCaption(int k, double y) {
    m_captionCentres.at(static_cast<std::size_t>(k)) = y;
    QLabel *caption = scaleCaption(k);
    caption->move(caption->x(), twipsToPixelsY(y) - caption->height() / 2);
}

void GraphView::buildPolyline(const char *lineName) {
    const QPen pen(QColor(0, 0, 0xC0), 2);
    const QPen otherPen(CompareMarkColour, 1, Qt::DashLine);
    const double y = knobHeight(m_zeroPosition);
    for (int j = 1; j < NePoints; ++j) {
        const QLineF line(sliderX(j), y, sliderX(j + 1), y);
        const auto at = static_cast<std::size_t>(j - 1);
        m_otherLines[at] = m_canvas->addLine(elementName("OtherLine", j), line, otherPen);
        m_otherLines[at]->setShown(false);
        m_lines[at] = m_canvas->addLine(elementName(lineName, j), line, pen);
    }
}

void GraphView::buildScale(const Names &names) {
    const std::array<double, 3> heights{knobHeight(m_zeroPosition), knobHeight(0),
                                        knobHeight(m_scale)};
    for (int k = 0; k < 3; ++k) {
        const auto at = static_cast<std::size_t>(k);
        auto *caption = new QLabel(QLatin1String(names.captions[at]), this);
        caption->setObjectName(elementName(names.caption, k));
        placeInTwips(caption, QRect(CaptionLeft, 0, CaptionWidth, CaptionHeight));
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_scaleCaptions[at] = caption;
        centreCaption(k, heights[at]);
    }
    if (names.zeroLine) {
        m_zeroLine = m_canvas->addLine(QLatin1String(names.zeroLine),
                                       QLineF(ZeroLineLeft, heights[0], ZeroLineRight, heights[0]),
                                       QPen(Qt::darkGray, 1, Qt::DashLine));
    }
}

void GraphView::placeSliders() {
    const int topKnob = twipsToPixelsY(knobHeight(0));
    const int bottomKnob = twipsToPixelsY(knobHeight(m_scale));
    for (int i = 1; i <= NePoints; ++i) {
        slider(i)->placeKnobTravel(twipsToPixelsX(sliderX(i) - SliderWidth / 2.0),
                                   twipsToPixelsX(SliderWidth), topKnob, bottomKnob);
    }
}

void GraphView::followZoom() {
    // A view not shown has its resize told only when it shows.
    m_canvas->resize(size());
    placeSliders();
    for (int k = 0; k < 3; ++k)
        centreCaption(k, m_captionCentres.at(static_cast<std::size_t>(k)));
}

void GraphView::buildSliders(const Names &names) {
    for (int i = 1; i <= NePoints; ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        auto *slider = new GraphSlider(elementName(names.slider, i), m_scale, this);
        m_sliders[at] = slider;

        const int labelLeft = static_cast<int>(sliderX(i)) - LabelWidth / 2;
        auto *value = new ClickableLabel(this);
        value->setObjectName(elementName(names.valueLabel, i));
        placeInTwips(value, QRect(labelLeft, ValueLabelTop, LabelWidth, LabelHeight));
        value->setAlignment(Qt::AlignCenter);
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        setBackground(value, buttonFaceColour());
        m_valueLabels[at] = value;

        auto *ne = new QLabel(this);
        ne->setObjectName(elementName(names.neLabel, i));
        placeInTwips(ne, QRect(labelLeft, NeLabelTop, LabelWidth, LabelHeight));
        ne->setAlignment(Qt::AlignCenter);
        m_neLabels[at] = ne;

        connect(slider, &GraphSlider::valueChanged, this, [this, i] { sliderValueChanged(i); });
        connect(slider, &GraphSlider::sliderPressed, this,
                [this] { m_gesture = m_document.newGesture(); });
        connect(slider, &GraphSlider::focusEntered, this, [this, value, i] {
            setBackground(value, LightYellow);
            m_armed = true;
            m_focusedSlider = i;
        });
        connect(slider, &GraphSlider::focusLeft, this, [this, value] {
            setBackground(value, buttonFaceColour());
            m_armed = false;
        });
        connect(value, &ClickableLabel::clicked, this, [value, slider] {
            setBackground(value, LightYellow);
            slider->setFocus(Qt::MouseFocusReason);
        });
    }
    placeSliders();
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

QLabel *GraphView::scaleCaption(int k) const {
    return m_scaleCaptions.at(static_cast<std::size_t>(k));
}

void GraphView::setComparison(const Comparison *comparison) {
    m_comparison = comparison;
    connect(comparison, &Comparison::changed, this, &GraphView::showComparison);
    showComparison();
}

void GraphView::showComparison() {
    const bool active = m_comparison && m_comparison->isActive() && offsetShown(1) >= 0;
    double previousY = 0.0;
    for (int i = 1; i <= NePoints; ++i) {
        const Difference *d = active ? m_comparison->differenceAt(offsetShown(i)) : nullptr;
        showCompareMark(valueLabel(i), d ? parameterText(d->place.kind, d->theirs) : QString(),
                        d ? placeShown(i) : QString());
        if (!active)
            continue;
        const std::uint8_t theirs = d ? d->theirs : m_document.image().byte(offsetShown(i));
        const double y = knobHeight(std::clamp(positionOf(theirs), 0, m_scale));
        if (i > 1) {
            otherLine(i - 1)->setY1(previousY);
            otherLine(i - 1)->setY2(y);
        }
        previousY = y;
    }
    for (GraphLine *other : m_otherLines)
        other->setShown(active);
}

void GraphView::showChanged(const ChangedBytes &changed) {
    for (int i = 1; i <= NePoints && offsetShown(i) >= 0; ++i) {
        if (changed.contains(offsetShown(i))) {
            showPoints();
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
    const double y = knobHeight(position);
    if (i != 1)
        line(i - 1)->setY2(y);
    if (i != NePoints)
        line(i)->setY1(y);
}

void GraphView::focusSlider() {
    slider(m_focusedSlider)->setFocus(Qt::OtherFocusReason);
}

void GraphView::sliderValueChanged(int i) {
    if (!m_armed)
        return;
    edit(i, slider(i)->value(), gestureOf(i));
}

quint64 GraphView::gestureOf(int i) {
    const GraphSlider *changed = slider(i);
    if (changed->isSliderDown())
        return m_gesture;
    // Keys and the wheel: a key held down repeats, and a tuner taps a few times to reach a value;
    // either is one step.
    const bool goesOn = i == m_keySlider && m_sinceKey.isValid() &&
                        (changed->isKeyRepeating() || m_sinceKey.elapsed() < KeyStepMergeMs);
    if (!goesOn)
        m_keyGesture = m_document.newGesture();
    m_keySlider = i;
    m_sinceKey.start();
    return m_keyGesture;
}
