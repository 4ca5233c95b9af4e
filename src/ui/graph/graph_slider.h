#pragma once

#include "common/value_slider.h"

// A vertical slider of a graph view: position 0 at the top, Up raises the value. It reports
// focus changes, because only a slider with the keyboard focus edits the map. Its knob is dragged
// by whole steps at a rate a hand can place (one step per DragPixelsPerStep pixels, with Shift per
// FineDragPixelsPerStep), not to the pixel under the mouse.
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
    // Whether the value is being changed by a key held down (its repeats).
    [[nodiscard]] bool isKeyRepeating() const { return m_keyRepeating; }

    static constexpr int DragPixelsPerStep = 4;
    static constexpr int FineDragPixelsPerStep = 12;

signals:
    void focusEntered();
    void focusLeft();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Where the drag started counting steps: the mouse's height and the position then. Shift
    // pressed or released during a drag starts counting anew at the other rate.
    void startCounting(int mouseY, bool fine);

    bool m_keyRepeating = false;
    bool m_dragging = false;
    bool m_fine = false;
    int m_countFromY = 0;
    int m_countFromPosition = 0;
};
