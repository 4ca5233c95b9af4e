#include "speed_editor.h"

#include "band_slider.h"
#include "window/window_state.h"

#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace {

constexpr std::uint8_t NePointMode = 1;
constexpr std::uint8_t ShiftTimingMode = 2;

// Scale of both single speeds, units of 100 r/min.
constexpr int SpeedScale = 180;
constexpr int ShiftLowest = 100;

} // namespace

SpeedEditor::SpeedEditor(const EditContext &context)
    : SpeedSliderDialog(context, QStringLiteral("Form3"))
    , m_mode(context.state.ValueEditMode) {
    if (m_mode == NePointMode) {
        m_point.emplace(context, Axis::Ne, context.state.SelIndex);
        // The value shows in the point's labels: the dialog keeps clear of them.
        placeClearOf(m_point->labelsOnScreen());
        m_point->load(*m_slider);
        if (!m_slider->isEnabled())
            enterButton()->setFocus();
    } else {
        m_speed = m_mode == ShiftTimingMode ? SingleSpeed::shiftTiming(context)
                                            : SingleSpeed::pitRoad(context);
        placeByPanel(*m_speed);
        if (m_mode == ShiftTimingMode)
            setUpSpeedSlider(SpeedScale, ShiftLowest, SpeedScale - ShiftLowest, 1);
        else
            setUpSpeedSlider(SpeedScale, 0, SpeedScale, 1);
        m_slider->setValue(m_speed->position());
        sliderChanged();
    }
    connect(m_slider, &QSlider::valueChanged, this, &SpeedEditor::sliderChanged);
}

void SpeedEditor::sliderChanged() {
    if (m_mode == NePointMode) {
        m_point->sliderChanged(*m_slider);
        return;
    }
    const int chosen = m_slider->value();
    const int lowest = m_mode == ShiftTimingMode ? ShiftLowest : 0;
    const int value = std::clamp(chosen, lowest, SpeedScale);
    if (value != chosen) {
        const QSignalBlocker quiet(m_slider);
        m_slider->setValue(value);
    }
    m_speed->show(value);
}

void SpeedEditor::enterAction() {
    if (m_mode == NePointMode)
        Ne_data_cheng();
    else if (m_mode == ShiftTimingMode)
        NeShft_cheng();
    else
        PITlimit_cheng();
}

void SpeedEditor::Ne_data_cheng() {
    m_point->enter();
    closeDialog();
}

void SpeedEditor::NeShft_cheng() {
    m_speed->store();
    closeDialog();
}

void SpeedEditor::PITlimit_cheng() {
    m_speed->store();
    closeDialog();
}

void SpeedEditor::cancelAction() {
    if (m_mode == NePointMode)
        m_point->cancel();
    else
        m_speed->restore();
    closeDialog();
}
