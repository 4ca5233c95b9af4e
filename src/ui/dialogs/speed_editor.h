#pragma once

#include "axis_point.h"
#include "speed_slider_dialog.h"

#include <optional>

// "Form3": edits an engine speed on a horizontal slider, chosen by ValueEditMode when it opens:
// 1 = the NE axis point SelIndex.
class SpeedEditor : public SpeedSliderDialog {
    Q_OBJECT
public:
    explicit SpeedEditor(MainWindow &main);

    // Enter in each mode.
    void Ne_data_cheng();

protected:
    void enterAction() override;
    void cancelAction() override;

private:
    void sliderChanged();

    std::uint8_t m_mode;
    std::optional<AxisPoint> m_point; // mode 1
};
