#pragma once

#include <Q3DInputHandler>
#include <QPoint>

// Mouse gestures of the 3-D views: drag turns the graph, [Alt]+drag zooms, [Shift]+drag pans,
// the wheel zooms. Clicks select nothing: the views only display.
class Map3DInputHandler : public Q3DInputHandler {
    Q_OBJECT
public:
    explicit Map3DInputHandler(QObject *parent = nullptr);

    void mousePressEvent(QMouseEvent *event, const QPoint &mousePos) override;
    void mouseReleaseEvent(QMouseEvent *event, const QPoint &mousePos) override;
    void mouseMoveEvent(QMouseEvent *event, const QPoint &mousePos) override;

private:
    enum class Drag { None, Rotate, Zoom, Pan };
    Drag m_drag = Drag::None;
    QPoint m_last;
};
