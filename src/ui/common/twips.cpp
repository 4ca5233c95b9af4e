#include "common/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

constexpr double TwipsPerInch = 1440.0;

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
    return TwipsPerInch / dpiX();
}
double twipsPerPixelY() {
    return TwipsPerInch / dpiY();
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
    return {twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width),
            twipsToPixelsY(height)};
}

QPoint twipsPoint(double left, double top) {
    return {twipsToPixelsX(left), twipsToPixelsY(top)};
}

QSize twipsSize(int width, int height) {
    return {twipsToPixelsX(width), twipsToPixelsY(height)};
}
