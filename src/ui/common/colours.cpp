#include "common/colours.h"

#include <QApplication>
#include <QPalette>

QColor buttonFaceColour() {
    return QApplication::palette().color(QPalette::Button);
}

void setBackground(QWidget *widget, const QColor &colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor backgroundOf(const QWidget *widget) {
    return widget->palette().color(QPalette::Window);
}

QColor readableTextColour(const QColor &background) {
    // Perceived brightness (ITU-R BT.601 weights).
    const int brightness =
        (299 * background.red() + 587 * background.green() + 114 * background.blue()) / 1000;
    return brightness >= 140 ? QColor(Qt::black) : QColor(Qt::white);
}

void keepColoursWhenDisabled(QWidget *widget) {
    QPalette palette = widget->palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto colorRole = static_cast<QPalette::ColorRole>(role);
        if (colorRole != QPalette::NoRole)
            palette.setBrush(QPalette::Disabled, colorRole,
                             palette.brush(QPalette::Active, colorRole));
    }
    widget->setPalette(palette);
}
