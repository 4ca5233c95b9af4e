#pragma once

#include "axis_point.h"
#include "edit_dialog.h"

class BandSlider;

// "Form4": moves a TH axis point between its neighbours on a vertical slider with throttle 100
// at the top, the value showing in the point's labels in both grids. Escape cancels.
class ThPointEditor : public EditDialog {
    Q_OBJECT
public:
    // point: 2..10.
    ThPointEditor(const EditContext &context, int point);

    [[nodiscard]] BandSlider *slider() const { return m_slider; }

protected:
    // The point into the document, then the warning.
    void enterAction() override;
    void cancelAction() override;

private:
    AxisPoint m_point;
    BandSlider *m_slider = nullptr;
};
