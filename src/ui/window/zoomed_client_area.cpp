#include "window/zoomed_client_area.h"

#include "common/twips.h"
#include "common/zoomed_layout.h"

#include <algorithm>
#include <cmath>

namespace {

// Pixels of a twips length at a zoom, as the layout rounds them.
int pixelsAt(int twips, double twipsPerPixelAtZoom1, double zoom) {
    return static_cast<int>(std::lround(twips * zoom / twipsPerPixelAtZoom1));
}

} // namespace

ZoomedClientArea::ZoomedClientArea(QSize designedTwips, QWidget *parent)
    : QWidget(parent)
    , m_designed(designedTwips)
    , m_root(new QWidget(this)) {
    // The layout is made at its designed size; fitLayout() zooms it.
    setLayoutZoom(1.0);
    m_root->setFont(layoutFont());
    m_root->resize(twipsSize(m_designed.width(), m_designed.height()));
    setMinimumSize(minimumSizeHint());
}

QSize ZoomedClientArea::sizeAtZoom(double zoom) const {
    const double zoomNow = layoutZoom();
    return {pixelsAt(m_designed.width(), twipsPerPixelX() * zoomNow, zoom),
            pixelsAt(m_designed.height(), twipsPerPixelY() * zoomNow, zoom)};
}

double ZoomedClientArea::zoomToFit(QSize area) const {
    const double zoomNow = layoutZoom();
    const double across = area.width() * twipsPerPixelX() * zoomNow / m_designed.width();
    const double down = area.height() * twipsPerPixelY() * zoomNow / m_designed.height();
    const double fitting = std::clamp(std::min(across, down), MinZoom, MaxZoom);
    // An area sized for a zoom of whole hundredths has that zoom, not one a rounding away.
    const double round = std::round(fitting * 100.0) / 100.0;
    const QSize atRound = sizeAtZoom(round);
    return atRound.width() <= area.width() && atRound.height() <= area.height() ? round : fitting;
}

QMargins ZoomedClientArea::slack() const {
    const QRect inside = m_root->geometry();
    return {inside.left(), inside.top(), width() - inside.right() - 1,
            height() - inside.bottom() - 1};
}

void ZoomedClientArea::fitLayout() {
    const double zoom = zoomToFit(size());
    if (zoom != layoutZoom()) {
        setLayoutZoom(zoom);
        m_root->setFont(layoutFont());
        m_root->resize(twipsSize(m_designed.width(), m_designed.height()));
        relayoutForZoom(m_root);
        emit zoomChanged(zoom);
    }
    m_root->move(std::max(0, (width() - m_root->width()) / 2),
                 std::max(0, (height() - m_root->height()) / 2));
}

QSize ZoomedClientArea::sizeHint() const {
    return m_root->size();
}

QSize ZoomedClientArea::minimumSizeHint() const {
    return sizeAtZoom(MinZoom);
}

void ZoomedClientArea::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    fitLayout();
}
