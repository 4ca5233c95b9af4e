#include "ne_point_editor.h"

#include "band_slider.h"

#include <QPushButton>

NePointEditor::NePointEditor(const EditContext &context, int point)
    : SpeedSliderDialog(context, QStringLiteral("Form3"))
    , m_point(context, Axis::Ne, point) {
    // The value shows in the point's labels: the dialog keeps clear of them.
    placeClearOf(m_point.labelsOnScreen());
    m_point.load(*m_slider);
    if (!m_slider->isEnabled())
        enterButton()->setFocus();
    connect(m_slider, &QSlider::valueChanged, this, [this] { m_point.sliderChanged(*m_slider); });
}

void NePointEditor::enterAction() {
    m_point.store();
    closeDialog();
}

void NePointEditor::cancelAction() {
    m_point.cancel();
    closeDialog();
}
