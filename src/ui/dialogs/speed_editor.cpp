#include "speed_editor.h"

#include "band_slider.h"
#include "document/calibration_document.h"
#include "panels/single_value_panel.h"

#include <QSignalBlocker>
#include <algorithm>

SpeedEditor::Scale SpeedEditor::scaleOf(SpeedSetting speed) {
    switch (speed) {
    case SpeedSetting::ShiftTiming:
        return {100, 180, 1};
    case SpeedSetting::PitRoad:
        return {0, 180, 1};
    case SpeedSetting::IdleNe:
        break;
    }
    return {14, 30, 2};
}

SpeedEditor::SpeedEditor(const EditContext &context, SpeedSetting speed)
    : SpeedSliderDialog(context, speed == SpeedSetting::IdleNe ? QStringLiteral("Form3_IDLE")
                                                               : QStringLiteral("Form3"))
    , m_speed(speed)
    , m_scale(scaleOf(speed))
    , m_panel(context.panel(speed)) {
    placeByPanel(m_panel);
    setUpSpeedSlider(m_scale.highest, m_scale.lowest, m_scale.highest - m_scale.lowest,
                     m_scale.step);
    const EcuTables &t = context.document.tables();
    const int stored = speed == SpeedSetting::ShiftTiming ? t.ShiftNeData
                       : speed == SpeedSetting::PitRoad   ? t.PitLimitData
                                                          : t.IdleNeData;
    m_slider->setValue(stored * m_scale.step);
    sliderChanged();
    connect(m_slider, &QSlider::valueChanged, this, &SpeedEditor::sliderChanged);
}

void SpeedEditor::sliderChanged() {
    const int chosen = m_slider->value();
    int value = chosen;
    // A position between two steps goes back one towards the value it came from.
    if (value % m_scale.step != 0)
        value += m_value < value ? -1 : 1;
    value = std::clamp(value, m_scale.lowest, m_scale.highest);
    if (value != chosen) {
        const QSignalBlocker quiet(m_slider);
        m_slider->setValue(value);
    }
    m_value = value;
    m_panel.showPreview(QString::number(value * 100));
}

void SpeedEditor::enterAction() {
    (void)m_context.document.apply(
        changeSpeed(m_speed, static_cast<std::uint8_t>(m_value / m_scale.step)));
    m_panel.endPreview();
    closeDialog();
}

void SpeedEditor::cancelAction() {
    m_panel.endPreview();
    closeDialog();
}
