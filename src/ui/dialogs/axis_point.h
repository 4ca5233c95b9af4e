#pragma once

#include "document/change_axis_point.h"
#include "edit_context.h"

#include <QRect>
#include <QString>

class BandSlider;

// One point of the NE or TH axis while its editor is open: the neighbours that bound it, the
// value chosen on the slider, the preview of that value in both grids, and the edit.
// The NE slider shows the value itself; the TH slider has throttle 100 at position 0.
class AxisPoint {
public:
    // point: 2..15 on the NE axis, 2..10 on the TH axis.
    AxisPoint(const EditContext &context, Axis axis, int point);

    // Whether any value lies strictly between the neighbours. A loaded file can hold an axis
    // without room; its point then keeps its value.
    [[nodiscard]] bool hasRoom() const { return m_hi - m_lo >= 2; }

    // Scale, band and position of the slider, and the value taken once. The scale always covers
    // the band, so the slider can show every value it may take.
    void load(BandSlider &slider);
    // Slider change: the value strictly between the neighbours, the slider put back when it
    // was corrected, and both grids show the value.
    void sliderChanged(BandSlider &slider);
    // Enter: the value into the document (one undo step, with the cells that keep the maps'
    // shape when that is on), the grids' preview ends, the warning.
    void store();
    // Cancel: the grids' preview ends; the point keeps its value.
    void cancel();
    // Where the point's labels in both grids lie on the screen.
    [[nodiscard]] QRect labelsOnScreen() const;

private:
    // The point's value in the table.
    [[nodiscard]] int current() const;
    [[nodiscard]] int positionOf(int value) const;
    [[nodiscard]] int valueAt(int position) const;
    void choose(int value);
    void endPreview();

    const EditContext &m_context;
    Axis m_axis;
    int m_point;
    int m_lo; // the neighbours' values, points point - 1 and point + 1
    int m_hi;
    int m_value = 0; // the value chosen
};
