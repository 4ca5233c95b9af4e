#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

// Window geometry is laid out in twips (1440 to the inch: 15 a pixel at 96 dpi), scaled by the
// screen's logical dpi and by the layout's zoom, so the window keeps its proportions on any
// screen and at any size.
[[nodiscard]] double twipsPerPixelX();
[[nodiscard]] double twipsPerPixelY();

// The layout's zoom: at 1 the window has its designed size. The main window sets it from the
// room it has; whatever is laid out in twips after that takes it.
[[nodiscard]] double layoutZoom();
void setLayoutZoom(double zoom);
// The font at the zoom in force: its designed size times the zoom.
[[nodiscard]] QFont zoomedFont(QFont designed);
// The font the layout's texts are designed for, at the zoom in force: the application's font at
// DesignedPointSize. The system's own size would not fit the layout; a larger text is a zoom.
inline constexpr double DesignedPointSize = 9.0;
[[nodiscard]] QFont layoutFont();

[[nodiscard]] int twipsToPixelsX(double twips);
[[nodiscard]] int twipsToPixelsY(double twips);
[[nodiscard]] double pixelsToTwipsX(int pixels);
[[nodiscard]] double pixelsToTwipsY(int pixels);

[[nodiscard]] QRect twipsRect(int left, int top, int width, int height);
[[nodiscard]] QRect twipsRect(const QRect &twips);
[[nodiscard]] QPoint twipsPoint(double left, double top);
[[nodiscard]] QSize twipsSize(int width, int height);
