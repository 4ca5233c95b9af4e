#pragma once

#include <QSlider>

class QStyleOptionSlider;

// A slider whose filled groove grows with the value. Every vertical slider of this tool has its
// largest value at the top, where its minimum position is; the style would fill the groove from
// the top down to the knob, so that the bar grew as the value fell. This one fills it from the
// bottom up to the knob. Horizontal sliders keep the style's fill from the left.
class ValueSlider : public QSlider {
    Q_OBJECT
public:
    explicit ValueSlider(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    // Drawn over the groove and the tick marks, under the knob.
    virtual void paintOverGroove(QPainter &painter, const QStyleOptionSlider &option);
};
