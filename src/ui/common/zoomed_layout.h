#pragma once

#include <QFont>
#include <QRect>

class QWidget;

// Controls laid out in twips keep their place and font through a change of zoom: each is placed
// with placeInTwips() (and given a font of its own with setDesignedFont()), and
// relayoutForZoom() places them all anew when the zoom changes. A view that computes part of its
// geometry is a ZoomFollower and computes it again then.

// Places the widget at a rectangle of its parent in twips, kept for the next zoom.
void placeInTwips(QWidget *widget, const QRect &twips);
// Gives the widget a font of its own at its designed size times the zoom, kept for the next zoom.
void setDesignedFont(QWidget *widget, const QFont &designed);

// A widget that places some of its controls by computation (a slider's travel, a caption centred
// on a line, a layout's spacing) from twips, and does so again at a new zoom.
class ZoomFollower {
public:
    virtual void followZoom() = 0;

protected:
    ZoomFollower() = default;
    ~ZoomFollower() = default;
    ZoomFollower(const ZoomFollower &) = default;
    ZoomFollower &operator=(const ZoomFollower &) = default;
};

// The root and everything in it at the zoom in force: the kept places and fonts first, then each
// follower's own computation.
void relayoutForZoom(QWidget *root);
