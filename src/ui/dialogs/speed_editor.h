#pragma once

#include "document/change_speed.h"
#include "speed_slider_dialog.h"

// A single engine speed on the horizontal slider, in units of 100 r/min, the value showing in
// its panel: "Form3" edits the shift light (10000 ... 18000 r/min) and the pit-road limit
// (0 ... 18000), "Form3_IDLE" the idle speed (1400 ... 3000 in steps of 200, stored in units of
// 200 r/min). Escape does nothing.
class SpeedEditor : public SpeedSliderDialog {
    Q_OBJECT
public:
    SpeedEditor(const EditContext &context, SpeedSetting speed);

protected:
    // The speed into the document, one undo step.
    void enterAction() override;
    void cancelAction() override;

private:
    // The slider's scale for the speed, units of 100 r/min.
    struct Scale {
        int lowest;
        int highest;
        int step; // also the slider units in one stored unit
    };
    [[nodiscard]] static Scale scaleOf(SpeedSetting speed);
    void sliderChanged();

    SpeedSetting m_speed;
    Scale m_scale;
    SingleValuePanel &m_panel;
    int m_value = 0; // the speed chosen, units of 100 r/min
};
