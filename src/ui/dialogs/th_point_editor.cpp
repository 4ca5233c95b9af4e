#include "th_point_editor.h"

#include "band_slider.h"
#include "common/twips.h"

#include <QPushButton>

namespace {

constexpr int ClientWidth = 1260;
constexpr int ClientHeight = 4140;

} // namespace

ThPointEditor::ThPointEditor(const EditContext &context, int point)
    : EditDialog(context, QStringLiteral("Form4"), ClientWidth, ClientHeight)
    , m_point(context, Axis::Th, point) {
    m_slider = new BandSlider(Qt::Vertical, this);
    m_slider->setObjectName(QStringLiteral("Slider1"));
    m_slider->setGeometry(twipsRect(360, 240, 630, 2835));
    // Position 0 at the top; Up moves the knob up.
    m_slider->setInvertedAppearance(true);
    m_slider->setInvertedControls(true);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(5);
    m_slider->setTickInterval(10);
    m_slider->setTickPosition(QSlider::TicksBothSides);
    addEnterAndCancel(m_slider, twipsRect(60, 3120, 1095, 375), twipsRect(60, 3660, 1095, 375));

    placeAt(
        {m_context.window.frameGeometry().left() + twipsToPixelsX(1400), topAboveMainBottom(440)});

    m_point.load(*m_slider);
    if (!m_slider->isEnabled())
        enterButton()->setFocus();
    connect(m_slider, &QSlider::valueChanged, this, [this] { m_point.sliderChanged(*m_slider); });
}

void ThPointEditor::enterAction() {
    m_point.store();
    closeDialog();
}

void ThPointEditor::cancelAction() {
    m_point.cancel();
    closeDialog();
}
