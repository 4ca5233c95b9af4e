#include "axis_point.h"

#include "band_slider.h"
#include "common/clickable_label.h"
#include "document/calibration_document.h"
#include "document/keep_map_shape.h"
#include "files/operator.h"
#include "grid/map_grid_view.h"
#include "image/display_text.h"

#include <QSignalBlocker>
#include <algorithm>

namespace {

// Throttle 100 stands at the top of the TH slider.
constexpr int ThTop = 100;

std::size_t at(int point) {
    return static_cast<std::size_t>(point - 1);
}

} // namespace

AxisPoint::AxisPoint(const EditContext &context, Axis axis, int point)
    : m_context(context)
    , m_axis(axis)
    , m_point(point) {
    const EcuTables &t = context.document.tables();
    if (axis == Axis::Ne) {
        m_lo = t.NeData[at(point - 1)];
        m_hi = t.NeData[at(point + 1)];
    } else {
        m_lo = t.ThData[at(point - 1)];
        m_hi = t.ThData[at(point + 1)];
    }
}

int AxisPoint::current() const {
    const EcuTables &t = m_context.document.tables();
    return m_axis == Axis::Ne ? t.NeData[at(m_point)] : t.ThData[at(m_point)];
}

int AxisPoint::positionOf(int value) const {
    return m_axis == Axis::Ne ? value : ThTop - value;
}

int AxisPoint::valueAt(int position) const {
    return m_axis == Axis::Ne ? position : ThTop - position;
}

void AxisPoint::choose(int value) {
    m_value = value;
    const QString text =
        m_axis == Axis::Ne ? neText(value) : thText(static_cast<std::uint8_t>(value));
    m_context.fiGrid.previewAxisPoint(m_axis, m_point, text);
    m_context.igGrid.previewAxisPoint(m_axis, m_point, text);
}

void AxisPoint::endPreview() {
    m_context.fiGrid.endAxisPreview(m_axis, m_point);
    m_context.igGrid.endAxisPreview(m_axis, m_point);
}

void AxisPoint::load(BandSlider &slider) {
    const EcuTables &t = m_context.document.tables();
    const int scaleEnd = m_axis == Axis::Ne ? t.NeData[NePoints - 1] : t.ThData[ThPoints - 1];
    int first = positionOf(current());
    int last = first;
    if (hasRoom()) {
        first = std::min(positionOf(m_lo + 1), positionOf(m_hi - 1));
        last = std::max(positionOf(m_lo + 1), positionOf(m_hi - 1));
        slider.setSelection(first, last - first);
    } else {
        slider.clearSelection();
    }
    slider.setRange(std::min(0, first), std::max(scaleEnd, last));
    slider.setValue(positionOf(current()));
    if (!hasRoom()) {
        // Nothing to choose: the slider stands still and Enter keeps the value.
        slider.setEnabled(false);
        choose(current());
        return;
    }
    sliderChanged(slider);
}

void AxisPoint::sliderChanged(BandSlider &slider) {
    if (!hasRoom())
        return;
    const int chosen = valueAt(slider.value());
    int value = chosen;
    if (value <= m_lo)
        value = m_lo + 1;
    else if (value >= m_hi)
        value = m_hi - 1;
    if (value != chosen) {
        const QSignalBlocker quiet(slider);
        slider.setValue(positionOf(value));
    }
    choose(value);
}

void AxisPoint::store() {
    const auto value = static_cast<std::uint8_t>(m_value);
    (void)m_context.document.apply(
        m_context.keepMapShape
            ? changeAxisPointKeepingMaps(m_context.document.tables(), m_axis, m_point, value)
            : changeAxisPoint(m_axis, m_point, value));
    endPreview();
    m_context.messages.tell(
        m_axis == Axis::Ne
            ? QStringLiteral(
                  "Attention! Change of NE position, changes all FI map, IG map, and RU map.")
            : QStringLiteral("Attention! Change of a TH position, changes both FI map and IG map."),
        MessageIcon::Exclamation);
}

void AxisPoint::cancel() {
    endPreview();
}

QRect AxisPoint::labelsOnScreen() const {
    QRect shown;
    for (const MapGridView *grid : {&m_context.fiGrid, &m_context.igGrid}) {
        const ClickableLabel *label = grid->axisLabel(m_axis, m_point);
        shown |= QRect(label->mapToGlobal(QPoint(0, 0)), label->size());
    }
    return shown;
}
