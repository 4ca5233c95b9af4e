#include "speed_slider_dialog.h"

#include "band_slider.h"
#include "common/twips.h"

#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace {

constexpr int ClientWidth = 9315;
constexpr int ClientHeight = 870;

} // namespace

SpeedSliderDialog::SpeedSliderDialog(const EditContext &context, const QString &name)
    : EditDialog(context, name, ClientWidth, ClientHeight) {
    m_slider = new BandSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("Slider1"));
    m_slider->setGeometry(twipsRect(180, 120, 7515, 630));
    m_slider->setSingleStep(1);
    m_slider->setPageStep(5);
    m_slider->setTickInterval(10);
    m_slider->setTickPosition(QSlider::TicksBothSides);
    addEnterAndCancel(m_slider, twipsRect(7860, 60, 1335, 375), twipsRect(7860, 480, 1335, 375));
    setEscapeCancels(false);
}

int SpeedSliderDialog::centredLeft() const {
    const QScreen *screen = m_context.window.screen();
    if (!screen)
        return m_context.window.frameGeometry().left();
    const QRect whole = screen->geometry();
    return whole.left() + (whole.width() - width()) / 2;
}

void SpeedSliderDialog::placeClearOf(const QRect &shown) {
    const int gap = twipsToPixelsY(60);
    int top = shown.bottom() + 1 + gap;
    // Where the screen or the window ends first below.
    int end = m_context.window.mapToGlobal(QPoint(0, m_context.window.height())).y();
    if (const QScreen *screen = m_context.window.screen())
        end = std::min(end, screen->availableGeometry().bottom() + 1);
    if (top + height() > end)
        top = shown.top() - gap - height();
    placeAt({centredLeft(), top});
}

void SpeedSliderDialog::placeByPanel(const QWidget &panel) {
    const QRect mainFrame = m_context.window.frameGeometry();
    const int top =
        mainFrame.top() + mainFrame.height() - panel.geometry().top() - twipsToPixelsY(440);
    placeAt({centredLeft(), top});
}

void SpeedSliderDialog::setUpSpeedSlider(int maximum, int bandStart, int bandLength,
                                         int smallStep) {
    m_slider->setRange(0, maximum);
    m_slider->setSelection(bandStart, bandLength);
    m_slider->setSingleStep(smallStep);
}
