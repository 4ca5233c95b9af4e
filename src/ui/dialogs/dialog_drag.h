#pragma once

#include <QPoint>
#include <Qt>

class QWidget;

// The screen point, in pixels, where the last drag step of a dialog left the pointer. All edit
// dialogs share one anchor.
struct DialogDragAnchor {
    int x = 0;
    int y = 0;
};

// Mouse button pressed on a dialog's background, at (x, y) twips in its client area: remember
// the pointer's screen point.
void beginDialogDrag(QWidget *dialog, Qt::MouseButtons buttons, double x, double y,
                     DialogDragAnchor &anchor);
// Mouse moved over the background: with exactly the left button held, move the dialog by the
// distance the pointer went since the anchor, and make the new point the anchor.
void dragDialog(QWidget *dialog, Qt::MouseButtons buttons, double x, double y,
                DialogDragAnchor &anchor);
