#pragma once

#include "common/value_slider.h"

// A vertical slider of a graph view: position 0 at the top, Up raises the value. It reports
// focus changes, because only a slider with the keyboard focus edits the map.
class GraphSlider : public ValueSlider {
    Q_OBJECT
public:
    GraphSlider(const QString &name, int maximum, QWidget *parent);

    // Sets left and width (pixels) and chooses top and height so that the knob's centre lies at
    // topKnobY for position 0 and at bottomKnobY for the maximum (pixels of the parent).
    void placeKnobTravel(int left, int width, int topKnobY, int bottomKnobY);
    // The knob's centre height in the parent, for a position (the current one by default).
    [[nodiscard]] int knobCentreY(int position) const;
    [[nodiscard]] int knobCentreY() const { return knobCentreY(value()); }

signals:
    void focusEntered();
    void focusLeft();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
};
