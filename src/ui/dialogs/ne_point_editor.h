#pragma once

#include "axis_point.h"
#include "speed_slider_dialog.h"

// "Form3" for an NE axis point: moves the point between its neighbours on the horizontal slider,
// the value showing in the point's labels in both grids. Escape does nothing.
class NePointEditor : public SpeedSliderDialog {
    Q_OBJECT
public:
    // point: 2..15.
    NePointEditor(const EditContext &context, int point);

protected:
    // The point into the document, then the warning.
    void enterAction() override;
    void cancelAction() override;

private:
    AxisPoint m_point;
};
