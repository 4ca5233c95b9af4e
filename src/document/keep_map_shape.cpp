#include "keep_map_shape.h"

#include "cell_values.h"
#include "change_cells.h"
#include "image/display_text.h"
#include "image/ecu_layout.h"

namespace {

// A map's cells along the moved point's column (NE) or row (TH): the value at each point of
// the axis, for one row (NE) or column (TH) of the other axis.
struct Line {
    MapKind map;
    Axis axis;
    int across; // the TH row (NE axis) or NE column (TH axis)

    [[nodiscard]] int cell(int point) const {
        return axis == Axis::Ne ? cellNumber(across, point) : cellNumber(point, across);
    }
    [[nodiscard]] int value(const EcuTables &tables, int point) const {
        return axis == Axis::Ne ? tableValue(map, tables, across, point)
                                : tableValue(map, tables, point, across);
    }
};

int axisValue(const EcuTables &tables, Axis axis, int point) {
    const auto at = static_cast<std::size_t>(point - 1);
    return axis == Axis::Ne ? tables.NeData[at] : tables.ThData[at];
}

} // namespace

ByteEdit changeAxisPointKeepingMaps(const EcuTables &tables, Axis axis, int point,
                                    std::uint8_t value) {
    ByteEdit edit = changeAxisPoint(axis, point, value);
    // The old segment the new value lies on: from the old point to the neighbour it moved to.
    const int old = axisValue(tables, axis, point);
    const int neighbour = value > old ? point + 1 : point - 1;
    const long long from = old;
    const long long span = axisValue(tables, axis, neighbour) - from;
    const int lines = span == 0 ? 0 : axis == Axis::Ne ? ThRows : NeColumns;
    for (MapKind map : {MapKind::Fi, MapKind::Ig}) {
        for (int across = 1; across <= lines; ++across) {
            const Line line{map, axis, across};
            const long long here = line.value(tables, point);
            const long long there = line.value(tables, neighbour);
            // here + (there - here) (value - old) / span, exactly; span has the sign of the move.
            const long long numerator = here * span + (there - here) * (value - from);
            const int kept = static_cast<int>(span > 0 ? roundedQuotient(numerator, span)
                                                       : roundedQuotient(-numerator, -span));
            if (kept != here)
                edit.changes.push_back({cellOffset(map, line.cell(point)), 0, cellByte(map, kept)});
        }
    }
    const bool ne = axis == Axis::Ne;
    edit.describe = [ne, point](const std::vector<ByteChange> &changes) {
        const auto text = [ne](std::uint8_t b) { return ne ? neText(b) : thText(b); };
        return QStringLiteral("%1 %2 %3")
                   .arg(ne ? QStringLiteral("NE") : QStringLiteral("TH"))
                   .arg(point)
                   .arg(text(changes.front().before)) +
               EditArrow + text(changes.front().after) + QStringLiteral(", map kept");
    };
    return edit;
}
