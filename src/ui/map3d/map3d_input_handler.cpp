#include "map3d/map3d_input_handler.h"

#include <Q3DCamera>
#include <Q3DScene>
#include <QMouseEvent>
#include <QVector3D>
#include <cmath>
#include <numbers>

namespace {

// Degrees turned by a drag across the whole graph, as Qt's own handler does.
constexpr float RotationPerViewport = 100.0f;
// Zoom factor per pixel of vertical drag (up zooms in).
constexpr float ZoomPerPixel = 0.01f;
// Pan distance per viewport width or height at zoom 100, so that the graph keeps about under the
// pointer (the camera target counts in half-extents of the graph's box).
constexpr float PanAcrossPerViewport = 3.0f;
constexpr float PanUpPerViewport = 6.0f;

} // namespace

Map3DInputHandler::Map3DInputHandler(QObject *parent)
    : Q3DInputHandler(parent) {
    setSelectionEnabled(false);
}

void Map3DInputHandler::mousePressEvent(QMouseEvent *event, const QPoint &mousePos) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        Q3DInputHandler::mousePressEvent(event, mousePos);
        return;
    }
    if (event->modifiers() & Qt::AltModifier)
        m_drag = Drag::Zoom;
    else if (event->modifiers() & Qt::ShiftModifier)
        m_drag = Drag::Pan;
    else
        m_drag = Drag::Rotate;
    m_last = mousePos;
    setInputPosition(mousePos);
}

void Map3DInputHandler::mouseReleaseEvent(QMouseEvent *event, const QPoint &mousePos) {
    if (m_drag == Drag::None) {
        Q3DInputHandler::mouseReleaseEvent(event, mousePos);
        return;
    }
    m_drag = Drag::None;
    setInputPosition(mousePos);
}

void Map3DInputHandler::mouseMoveEvent(QMouseEvent *event, const QPoint &mousePos) {
    if (m_drag == Drag::None || !scene()) {
        Q3DInputHandler::mouseMoveEvent(event, mousePos);
        return;
    }
    Q3DCamera *camera = scene()->activeCamera();
    const QRect viewport = scene()->viewport();
    if (!camera || viewport.isEmpty())
        return;
    const QPoint delta = mousePos - m_last;
    m_last = mousePos;
    setInputPosition(mousePos);

    const float dx = static_cast<float>(delta.x());
    const float dy = static_cast<float>(delta.y());
    const auto width = static_cast<float>(viewport.width());
    const auto height = static_cast<float>(viewport.height());
    switch (m_drag) {
    case Drag::Rotate:
        camera->setXRotation(camera->xRotation() + dx * RotationPerViewport / width);
        camera->setYRotation(camera->yRotation() + dy * RotationPerViewport / height);
        break;
    case Drag::Zoom:
        camera->setZoomLevel(camera->zoomLevel() * std::exp(-dy * ZoomPerPixel));
        break;
    case Drag::Pan: {
        // Move the point looked at along the screen's right and up directions, so the graph
        // follows the pointer.
        const float turn = camera->xRotation() * std::numbers::pi_v<float> / 180.0f;
        const QVector3D right(std::sin(turn), 0.0f, -std::cos(turn));
        const float scale = 100.0f / camera->zoomLevel();
        const QVector3D shift = right * (-dx * PanAcrossPerViewport / width * scale) +
                                QVector3D(0.0f, dy * PanUpPerViewport / height * scale, 0.0f);
        camera->setTarget(camera->target() + shift);
        break;
    }
    case Drag::None:
        break;
    }
}
