#pragma once

#include "single_speed.h"
#include "speed_slider_dialog.h"

// "Form3_IDLE": the idle speed on the Form3 window, 1400 ... 3000 r/min in steps of 200. The
// slider counts in 100 r/min and takes even positions only.
class IdleSpeedEditor : public SpeedSliderDialog {
    Q_OBJECT
public:
    explicit IdleSpeedEditor(const EditContext &context);

    // Enter: the idle speed into table, text and image.
    void IdleNe_cheng();

protected:
    void enterAction() override { IdleNe_cheng(); }
    void cancelAction() override;

private:
    void sliderChanged();

    SingleSpeed m_speed;
};
