#pragma once

#include "axis_point.h"
#include "single_speed.h"
#include "speed_slider_dialog.h"

#include <optional>

// "Form3": edits an engine speed on a horizontal slider, chosen by ValueEditMode when it opens:
// 1 = the NE axis point SelIndex, 2 = the shift-timing indicator, 4 = the pit-road limit.
class SpeedEditor : public SpeedSliderDialog {
    Q_OBJECT
public:
    explicit SpeedEditor(const EditContext &context);

    // Enter in each mode.
    void Ne_data_cheng();
    void NeShft_cheng();
    void PITlimit_cheng();

protected:
    void enterAction() override;
    void cancelAction() override;

private:
    void sliderChanged();

    std::uint8_t m_mode;
    std::optional<AxisPoint> m_point;   // mode 1
    std::optional<SingleSpeed> m_speed; // modes 2 and 4
};
