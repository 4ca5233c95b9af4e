#include "graph/graph_slider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

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

void GraphSlider::keyPressEvent(QKeyEvent *event) {
    m_keyRepeating = event->isAutoRepeat();
    QSlider::keyPressEvent(event);
    m_keyRepeating = false;
}

void GraphSlider::startCounting(int mouseY, bool fine) {
    m_countFromY = mouseY;
    m_countFromPosition = sliderPosition();
    m_fine = fine;
}

void GraphSlider::mousePressEvent(QMouseEvent *event) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const bool onKnob =
        style()->hitTestComplexControl(QStyle::CC_Slider, &option, event->position().toPoint(),
                                       this) == QStyle::SC_SliderHandle;
    // A click on the groove pages towards it, as it always did.
    if (event->button() != Qt::LeftButton || !onKnob || m_dragging) {
        QSlider::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    startCounting(qRound(event->position().y()), event->modifiers() & Qt::ShiftModifier);
    setSliderDown(true);
    event->accept();
}

void GraphSlider::mouseMoveEvent(QMouseEvent *event) {
    if (!m_dragging) {
        QSlider::mouseMoveEvent(event);
        return;
    }
    const int mouseY = qRound(event->position().y());
    const bool fine = event->modifiers() & Qt::ShiftModifier;
    if (fine != m_fine)
        startCounting(mouseY, fine);
    // Down the slider is a higher position; a part of a step moves nothing.
    const int steps = (mouseY - m_countFromY) / (fine ? FineDragPixelsPerStep : DragPixelsPerStep);
    setSliderPosition(std::clamp(m_countFromPosition + steps, minimum(), maximum()));
    event->accept();
}

void GraphSlider::mouseReleaseEvent(QMouseEvent *event) {
    if (!m_dragging || event->button() != Qt::LeftButton) {
        QSlider::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    setSliderDown(false);
    event->accept();
}
