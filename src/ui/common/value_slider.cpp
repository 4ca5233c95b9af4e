#include "common/value_slider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

ValueSlider::ValueSlider(Qt::Orientation orientation, QWidget *parent)
    : QSlider(orientation, parent) {}

void ValueSlider::paintOverGroove(QPainter & /*painter*/, const QStyleOptionSlider & /*option*/) {}

void ValueSlider::paintEvent(QPaintEvent * /*event*/) {
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);

    // The groove drawn mirrored with the knob at the mirrored position: the knob stays where it
    // is and the fill lies on its other side.
    QStyleOptionSlider groove = option;
    groove.subControls = QStyle::SC_SliderGroove;
    if (orientation() == Qt::Vertical && !option.upsideDown) {
        groove.upsideDown = true;
        groove.sliderPosition = minimum() + maximum() - option.sliderPosition;
        groove.sliderValue = minimum() + maximum() - option.sliderValue;
    }
    style()->drawComplexControl(QStyle::CC_Slider, &groove, &painter, this);

    if (tickPosition() != NoTicks) {
        option.subControls = QStyle::SC_SliderTickmarks;
        style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
    }
    paintOverGroove(painter, option);
    option.subControls = QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}
