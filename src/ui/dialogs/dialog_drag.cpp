#include "dialog_drag.h"

#include "common/twips.h"

#include <QWidget>

namespace {

// A client point in twips as a screen point in pixels.
QPoint clientToScreen(const QWidget *dialog, double x, double y) {
    return dialog->mapToGlobal(QPoint(twipsToPixelsX(x), twipsToPixelsY(y)));
}

} // namespace

void beginDialogDrag(QWidget *dialog, Qt::MouseButtons /*buttons*/, double x, double y,
                     DialogDragAnchor &anchor) {
    const QPoint point = clientToScreen(dialog, x, y);
    anchor = {point.x(), point.y()};
}

void dragDialog(QWidget *dialog, Qt::MouseButtons buttons, double x, double y,
                DialogDragAnchor &anchor) {
    if (buttons != Qt::LeftButton)
        return;
    const QPoint point = clientToScreen(dialog, x, y);
    dialog->move(dialog->pos() + QPoint(point.x() - anchor.x, point.y() - anchor.y));
    anchor = {point.x(), point.y()};
}
