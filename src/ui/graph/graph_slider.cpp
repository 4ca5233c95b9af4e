#include "graph/graph_slider.h"

#include <QStyle>
#include <QStyleOptionSlider>

GraphSlider::GraphSlider(const QString &name, int maximum, QWidget *parent)
    : ValueSlider(Qt::Vertical, parent) {
    setObjectName(name);
    setInvertedAppearance(true);
    setInvertedControls(true);
    setRange(0, maximum);
    setSingleStep(1);
    setPageStep(5);
    setFocusPolicy(Qt::StrongFocus);
}

void GraphSlider::wheelEvent(QWheelEvent *event) {
    // The wheel moves the knob of a slider without the focus too; taking the focus first makes
    // the turn an edit like a key press, instead of a move that the map never sees.
    setFocus(Qt::MouseFocusReason);
    QSlider::wheelEvent(event);
}

int GraphSlider::knobCentreY(int position) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.sliderPosition = position;
    option.sliderValue = position;
    const QRect knob =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    return y() + knob.center().y();
}

void GraphSlider::placeKnobTravel(int left, int width, int topKnobY, int bottomKnobY) {
    const int travel = bottomKnobY - topKnobY;
    // The knob's travel is the height less what the style keeps for the knob and its margins;
    // measure that once at a trial height, then size the slider around the travel wanted.
    setGeometry(left, topKnobY, width, travel * 2);
    const int trialTravel = knobCentreY(maximum()) - knobCentreY(minimum());
    const int height = travel * 2 + travel - trialTravel;
    setGeometry(left, topKnobY, width, height);
    setGeometry(left, 2 * topKnobY - knobCentreY(minimum()), width, height);
}

void GraphSlider::focusInEvent(QFocusEvent *event) {
    QSlider::focusInEvent(event);
    emit focusEntered();
}

void GraphSlider::focusOutEvent(QFocusEvent *event) {
    QSlider::focusOutEvent(event);
    emit focusLeft();
}
