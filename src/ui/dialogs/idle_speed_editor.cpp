#include "idle_speed_editor.h"

#include "band_slider.h"
#include "window/window_state.h"

#include <QSignalBlocker>
#include <algorithm>

namespace {

// Slider positions, units of 100 r/min.
constexpr int IdleScale = 30;
constexpr int IdleLowest = 14;
constexpr int IdleStep = 2;

} // namespace

IdleSpeedEditor::IdleSpeedEditor(const EditContext &context)
    : SpeedSliderDialog(context, QStringLiteral("Form3_IDLE"))
    , m_speed(SingleSpeed::idleNe(context)) {
    placeByPanel(m_speed);
    setUpSpeedSlider(IdleScale, IdleLowest, IdleScale - IdleLowest, IdleStep);
    m_slider->setValue(m_speed.position());
    sliderChanged();
    connect(m_slider, &QSlider::valueChanged, this, &IdleSpeedEditor::sliderChanged);
}

void IdleSpeedEditor::sliderChanged() {
    const int chosen = m_slider->value();
    int value = chosen;
    // An odd position goes back one step towards the value it came from.
    if (value % 2 != 0)
        value += m_context.state.ValueByte < value ? -1 : 1;
    value = std::clamp(value, IdleLowest, IdleScale);
    if (value != chosen) {
        const QSignalBlocker quiet(m_slider);
        m_slider->setValue(value);
    }
    m_speed.show(value);
}

void IdleSpeedEditor::IdleNe_cheng() {
    m_speed.store();
    closeDialog();
}

void IdleSpeedEditor::cancelAction() {
    m_speed.restore();
    closeDialog();
}
