#include "common/zoomed_layout.h"

#include "common/twips.h"

#include <QVariant>
#include <QWidget>

namespace {

constexpr const char *TwipsGeometry = "twipsGeometry";
constexpr const char *DesignedFont = "designedFont";

void applyKept(QWidget *widget) {
    const QVariant twips = widget->property(TwipsGeometry);
    if (twips.isValid())
        widget->setGeometry(twipsRect(twips.toRect()));
    const QVariant font = widget->property(DesignedFont);
    if (font.isValid())
        widget->setFont(zoomedFont(font.value<QFont>()));
}

} // namespace

void placeInTwips(QWidget *widget, const QRect &twips) {
    widget->setProperty(TwipsGeometry, twips);
    widget->setGeometry(twipsRect(twips));
}

void setDesignedFont(QWidget *widget, const QFont &designed) {
    widget->setProperty(DesignedFont, designed);
    widget->setFont(zoomedFont(designed));
}

void relayoutForZoom(QWidget *root) {
    const QList<QWidget *> widgets = QList<QWidget *>{root} + root->findChildren<QWidget *>();
    for (QWidget *widget : widgets)
        applyKept(widget);
    for (QWidget *widget : widgets) {
        if (auto *follower = dynamic_cast<ZoomFollower *>(widget))
            follower->followZoom();
    }
}
