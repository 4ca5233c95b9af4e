#include "common/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

constexpr double TwipsPerInch = 1440.0;

double currentZoom = 1.0;

double dpiX() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double dpiY() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

double twipsPerPixelX() {
    return TwipsPerInch / (dpiX() * currentZoom);
}
double twipsPerPixelY() {
    return TwipsPerInch / (dpiY() * currentZoom);
}

double layoutZoom() {
    return currentZoom;
}

void setLayoutZoom(double zoom) {
    currentZoom = zoom;
}

QFont zoomedFont(QFont designed) {
    if (designed.pointSizeF() > 0)
        designed.setPointSizeF(designed.pointSizeF() * currentZoom);
    else
        designed.setPixelSize(static_cast<int>(std::lround(designed.pixelSize() * currentZoom)));
    return designed;
}

QFont layoutFont() {
    QFont font = QGuiApplication::font();
    font.setPointSizeF(DesignedPointSize);
    return zoomedFont(font);
}

int twipsToPixelsX(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixelX()));
}
int twipsToPixelsY(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixelY()));
}
double pixelsToTwipsX(int pixels) {
    return pixels * twipsPerPixelX();
}
double pixelsToTwipsY(int pixels) {
    return pixels * twipsPerPixelY();
}

QRect twipsRect(int left, int top, int width, int height) {
    // From its edges: rectangles that meet in twips meet in pixels at any zoom.
    const int x = twipsToPixelsX(left);
    const int y = twipsToPixelsY(top);
    return {x, y, twipsToPixelsX(left + width) - x, twipsToPixelsY(top + height) - y};
}

QRect twipsRect(const QRect &twips) {
    return twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

QPoint twipsPoint(double left, double top) {
    return {twipsToPixelsX(left), twipsToPixelsY(top)};
}

QSize twipsSize(int width, int height) {
    return {twipsToPixelsX(width), twipsToPixelsY(height)};
}
