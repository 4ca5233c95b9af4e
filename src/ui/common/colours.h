#pragma once

#include <QColor>
#include <QWidget>

// Light yellow (&HC0FFFF): map cells and the value label of a focused slider.
inline const QColor LightYellow = QColor(0xFF, 0xFF, 0xC0);

// The system button-face colour: a cell being edited, a value label without focus.
[[nodiscard]] QColor buttonFaceColour();

// Fills the widget's background (or, for a text box, its base) with the colour and writes its
// text in the colour that reads best on it, so that it stays legible under any palette.
void setBackground(QWidget *widget, const QColor &colour);
void setBaseBackground(QWidget *widget, const QColor &colour);
[[nodiscard]] QColor backgroundOf(const QWidget *widget);

// The relative luminance of a colour and the contrast ratio of two (1 to 21), as the Web Content
// Accessibility Guidelines define them; text wants at least 4.5.
[[nodiscard]] double relativeLuminance(const QColor &colour);
[[nodiscard]] double contrastRatio(const QColor &a, const QColor &b);
// Black or white, whichever has the higher contrast on the colour: at least 4.58 on any.
[[nodiscard]] QColor readableTextColour(const QColor &background);
// The colour, made lighter or darker as far as needed to stand out from the background by the
// contrast ratio (lines and marks drawn on a view whose background follows the palette).
[[nodiscard]] QColor standingOut(const QColor &colour, const QColor &background, double ratio);

// Draws the widget in its active colours while it is disabled. The window takes no input while
// a dialog is open or a transfer runs; the values it shows then stay readable.
void keepColoursWhenDisabled(QWidget *widget);
