#pragma once

#include <QColor>
#include <QWidget>

// Light yellow (&HC0FFFF): map cells and the value label of a focused slider.
inline const QColor LightYellow = QColor(0xFF, 0xFF, 0xC0);

// The system button-face colour: a cell being edited, a value label without focus.
[[nodiscard]] QColor buttonFaceColour();

// Fills the widget's background with the colour.
void setBackground(QWidget *widget, const QColor &colour);
[[nodiscard]] QColor backgroundOf(const QWidget *widget);

// Black or white, whichever reads better on the colour.
[[nodiscard]] QColor readableTextColour(const QColor &background);

// Draws the widget in its active colours while it is disabled. The window takes no input while
// a dialog is open or a transfer runs; the values it shows then stay readable.
void keepColoursWhenDisabled(QWidget *widget);
