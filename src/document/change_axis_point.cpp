#include "change_axis_point.h"

#include "image/display_text.h"
#include "image/ecu_layout.h"

ByteEdit changeAxisPoint(Axis axis, int point, std::uint8_t value) {
    ByteEdit edit;
    const bool ne = axis == Axis::Ne;
    edit.changes.push_back({ne ? neAxisOffset(point) : thAxisOffset(point), 0, value});
    edit.describe = [ne, point](const std::vector<ByteChange> &changes) {
        const auto text = [ne](std::uint8_t b) { return ne ? neText(b) : thText(b); };
        return QStringLiteral("%1 point %2: %3")
                   .arg(ne ? QStringLiteral("NE") : QStringLiteral("TH"))
                   .arg(point)
                   .arg(text(changes.front().before)) +
               EditArrow + text(changes.front().after) +
               (ne ? QStringLiteral(" r/min") : QStringLiteral("%"));
    };
    return edit;
}
