#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window geometry is laid out in twips (1440 to the inch: 15 a pixel at 96 dpi), scaled by the
// screen's logical dpi so the window keeps its proportions on any screen.
[[nodiscard]] double twipsPerPixelX();
[[nodiscard]] double twipsPerPixelY();

[[nodiscard]] int twipsToPixelsX(double twips);
[[nodiscard]] int twipsToPixelsY(double twips);
[[nodiscard]] double pixelsToTwipsX(int pixels);
[[nodiscard]] double pixelsToTwipsY(int pixels);

[[nodiscard]] QRect twipsRect(int left, int top, int width, int height);
[[nodiscard]] QPoint twipsPoint(double left, double top);
[[nodiscard]] QSize twipsSize(int width, int height);
