#pragma once

#include "edit_dialog.h"

class BandSlider;
class QPushButton;

// The window "Form3": a horizontal slider with a selection band and,
// on its right, "Enter Key" and "Cancel Key". Escape does nothing here.
class SpeedSliderDialog : public EditDialog {
    Q_OBJECT
public:
    [[nodiscard]] BandSlider *slider() const { return m_slider; }

protected:
    SpeedSliderDialog(MainWindow &main, const QString &name);

    // Centred on the screen across; top = main top + main height - aboveBottom twips - own
    // height.
    void placeAboveMainBottom(int aboveBottomTwips);

    BandSlider *m_slider = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;

private:
    [[nodiscard]] int centredLeft() const;
};
