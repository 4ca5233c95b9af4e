#pragma once

#include "axis_point.h"
#include "edit_dialog.h"

class BandSlider;

// "Form4": moves the TH axis point SelIndex between its neighbours on a vertical slider with
// throttle 100 at the top. Escape cancels.
class ThPointEditor : public EditDialog {
    Q_OBJECT
public:
    explicit ThPointEditor(const EditContext &context);

    [[nodiscard]] BandSlider *slider() const { return m_slider; }

    // Enter: the point into table, text and image, then the warning.
    void TH_data_cheng();

protected:
    void enterAction() override { TH_data_cheng(); }
    void cancelAction() override;

private:
    AxisPoint m_point;
    BandSlider *m_slider = nullptr;
};
