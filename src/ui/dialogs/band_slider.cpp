#include "band_slider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

namespace {

constexpr int BandThickness = 6;

} // namespace

BandSlider::BandSlider(Qt::Orientation orientation, QWidget *parent)
    : ValueSlider(orientation, parent) {}

void BandSlider::setSelection(int start, int length) {
    m_hasSelection = length >= 0;
    m_selectionStart = start;
    m_selectionLength = std::max(length, 0);
    update();
}

void BandSlider::clearSelection() {
    m_hasSelection = false;
    m_selectionStart = 0;
    m_selectionLength = 0;
    update();
}

int BandSlider::pixelCentreOf(int position) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const bool horizontal = orientation() == Qt::Horizontal;
    const int handleLength = horizontal ? handle.width() : handle.height();
    const int grooveStart = horizontal ? groove.left() : groove.top();
    const int grooveLength = horizontal ? groove.width() : groove.height();
    const int clamped = std::clamp(position, minimum(), maximum());
    return grooveStart + handleLength / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), clamped,
                                           grooveLength - handleLength, option.upsideDown);
}

void BandSlider::paintOverGroove(QPainter &painter, const QStyleOptionSlider &option) {
    if (!m_hasSelection)
        return;
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const int from = pixelCentreOf(m_selectionStart);
    const int to = pixelCentreOf(m_selectionStart + m_selectionLength);
    // A band of one position is a short mark.
    const int low = std::min(from, to) - (from == to ? BandThickness / 2 : 0);
    const int high = std::max(from, to) + (from == to ? BandThickness / 2 : 0);
    QRect band;
    if (orientation() == Qt::Horizontal)
        band = QRect(low, groove.center().y() - BandThickness / 2, high - low + 1, BandThickness);
    else
        band = QRect(groove.center().x() - BandThickness / 2, low, BandThickness, high - low + 1);
    painter.fillRect(band, BandColour);
}
