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
