#include "common/colours.h"

#include <QApplication>
#include <QPalette>
#include <cmath>

namespace {

constexpr const char *KeepsColours = "keepsColoursWhenDisabled";

// Sets a background role and its text role. A widget that greys out when disabled keeps its
// palette's disabled text; one that keeps its colours gets the readable colour there too.
void setColours(QWidget *widget, QPalette::ColorRole background, QPalette::ColorRole text,
                const QColor &colour) {
    QPalette palette = widget->palette();
    palette.setColor(background, colour);
    const QColor readable = readableTextColour(colour);
    palette.setColor(QPalette::Active, text, readable);
    palette.setColor(QPalette::Inactive, text, readable);
    if (widget->property(KeepsColours).toBool())
        palette.setColor(QPalette::Disabled, text, readable);
    widget->setPalette(palette);
}

double channelLuminance(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

QColor buttonFaceColour() {
    return QApplication::palette().color(QPalette::Button);
}

void setBackground(QWidget *widget, const QColor &colour) {
    setColours(widget, QPalette::Window, QPalette::WindowText, colour);
    widget->setAutoFillBackground(true);
}

void setBaseBackground(QWidget *widget, const QColor &colour) {
    setColours(widget, QPalette::Base, QPalette::Text, colour);
}

QColor backgroundOf(const QWidget *widget) {
    return widget->palette().color(QPalette::Window);
}

double relativeLuminance(const QColor &colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * channelLuminance(rgb.redF()) + 0.7152 * channelLuminance(rgb.greenF()) +
           0.0722 * channelLuminance(rgb.blueF());
}

double contrastRatio(const QColor &a, const QColor &b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableTextColour(const QColor &background) {
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(background, black) >= contrastRatio(background, white) ? black : white;
}

QColor standingOut(const QColor &colour, const QColor &background, double ratio) {
    // Towards white on a dark background, towards black on a light one, in small steps.
    const QColor end = readableTextColour(background);
    QColor shade = colour.toRgb();
    for (int step = 1; step <= 20 && contrastRatio(shade, background) < ratio; ++step) {
        const double t = step / 20.0;
        shade = QColor::fromRgbF(
            static_cast<float>(colour.redF() + (end.redF() - colour.redF()) * t),
            static_cast<float>(colour.greenF() + (end.greenF() - colour.greenF()) * t),
            static_cast<float>(colour.blueF() + (end.blueF() - colour.blueF()) * t));
    }
    return shade;
}

void keepColoursWhenDisabled(QWidget *widget) {
    widget->setProperty(KeepsColours, true);
    QPalette palette = widget->palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto colorRole = static_cast<QPalette::ColorRole>(role);
        if (colorRole != QPalette::NoRole)
            palette.setBrush(QPalette::Disabled, colorRole,
                             palette.brush(QPalette::Active, colorRole));
    }
    widget->setPalette(palette);
}
