#include "speed_editor.h"

#include "band_slider.h"
#include "main/main_window.h"

#include <QPushButton>

namespace {

constexpr std::uint8_t NePointMode = 1;

} // namespace

SpeedEditor::SpeedEditor(MainWindow &main)
    : SpeedSliderDialog(main, QStringLiteral("Form3"))
    , m_mode(main.state().ValueEditMode) {
    if (m_mode == NePointMode) {
        placeAboveMainBottom(2500);
        m_point.emplace(main, Axis::Ne, main.state().SelIndex);
        m_point->load(*m_slider);
        if (!m_slider->isEnabled())
            m_command1->setFocus();
    }
    connect(m_slider, &QSlider::valueChanged, this, &SpeedEditor::sliderChanged);
}

void SpeedEditor::sliderChanged() {
    if (m_mode == NePointMode)
        m_point->sliderChanged(*m_slider);
}

void SpeedEditor::enterAction() {
    if (m_mode == NePointMode)
        Ne_data_cheng();
}

void SpeedEditor::Ne_data_cheng() {
    m_point->enter();
    closeDialog();
}

void SpeedEditor::cancelAction() {
    if (m_mode == NePointMode)
        m_point->cancel();
    closeDialog();
}
