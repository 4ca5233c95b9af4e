#pragma once

#include "edit_dialog.h"

class BandSlider;

// The window "Form3" and its copy "Form3_IDLE": a horizontal slider with a selection band and,
// on its right, "Enter Key" and "Cancel Key". Escape does nothing here. It edits an NE axis
// point or a single engine speed.
class SpeedSliderDialog : public EditDialog {
    Q_OBJECT
public:
    [[nodiscard]] BandSlider *slider() const { return m_slider; }

protected:
    SpeedSliderDialog(const EditContext &context, const QString &name);

    // Centred on the screen across, just below what it must not cover (screen pixels), or just
    // above it where the screen or the window ends below.
    void placeClearOf(const QRect &shown);
    // Centred across; the top follows the panel of the setting: main top + main height - the
    // panel's top in "Data Edit" - 440 twips.
    void placeByPanel(const QWidget &panel);
    // Slider set-up of the single speeds: scale 0..maximum, band, small step.
    void setUpSpeedSlider(int maximum, int bandStart, int bandLength, int smallStep);

    BandSlider *m_slider = nullptr;

private:
    [[nodiscard]] int centredLeft() const;
};
