#include "colours.h"

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
