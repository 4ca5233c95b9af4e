#include "change_from_other.h"

#include "change_cells.h"
#include "change_speed.h"
#include "image/ecu_layout.h"
#include "map_operations.h"

#include <algorithm>

namespace {

struct PartNames {
    TakenPart part;
    const char *menu;
    const char *step; // "Take <step> from ..."
};

constexpr PartNames Parts[] = {
    {TakenPart::FiMap, "Fi Map", "Fi map"},
    {TakenPart::IgMap, "IG Map", "IG map"},
    {TakenPart::RuMap, "RU Map", "RU map"},
    {TakenPart::NeAxis, "NE Axis", "NE axis"},
    {TakenPart::ThAxis, "TH Axis", "TH axis"},
    {TakenPart::Speeds, "Three Speeds", "the three speeds"},
    {TakenPart::SelectedCells, "Selected Cells", nullptr},
};

const PartNames &namesOf(TakenPart part) {
    return *std::find_if(std::begin(Parts), std::end(Parts),
                         [part](const PartNames &names) { return names.part == part; });
}

std::vector<int> pointOffsets(int first, int count) {
    std::vector<int> offsets;
    for (int i = 0; i < count; ++i)
        offsets.push_back(first + i);
    return offsets;
}

std::vector<int> cellOffsets(MapKind kind, const CellBlock &block) {
    std::vector<int> offsets;
    forEachCell(block, [&](int row, int column) {
        offsets.push_back(cellOffset(kind, cellNumber(row, column)));
    });
    return offsets;
}

} // namespace

QString takenPartText(TakenPart part) {
    return QLatin1String(namesOf(part).menu);
}

std::vector<int> takenOffsets(TakenPart part, const SelectedCells &cells) {
    switch (part) {
    case TakenPart::FiMap:
        return cellOffsets(MapKind::Fi, {1, ThRows, 1, NeColumns});
    case TakenPart::IgMap:
        return cellOffsets(MapKind::Ig, {1, ThRows, 1, NeColumns});
    case TakenPart::RuMap:
        return pointOffsets(RuMapOffset, RuPoints);
    case TakenPart::NeAxis:
        return pointOffsets(NeAxisOffset, NePoints);
    case TakenPart::ThAxis:
        return pointOffsets(ThAxisOffset, ThPoints);
    case TakenPart::Speeds:
        return {speedOffset(SpeedSetting::ShiftTiming), speedOffset(SpeedSetting::PitRoad),
                speedOffset(SpeedSetting::IdleNe)};
    case TakenPart::SelectedCells:
        break;
    }
    return cellOffsets(cells.kind, cells.block);
}

ByteEdit takeFromOther(TakenPart part, const SelectedCells &cells, const EcuImage &ours,
                       const EcuImage &other, const QString &otherName) {
    ByteEdit edit;
    // Only the bytes that differ: an RU point rewritten at its own value would read otherwise.
    for (const int offset : takenOffsets(part, cells)) {
        if (ours.byte(offset) != other.byte(offset))
            edit.changes.push_back({offset, 0, other.byte(offset)});
    }
    const QString what =
        part == TakenPart::SelectedCells
            ? QStringLiteral("%1 %2 cells").arg(blockSize(cells.block), mapName(cells.kind))
            : QLatin1String(namesOf(part).step);
    edit.describe = [text = QStringLiteral("Take %1 from %2").arg(what, otherName)](
                        const std::vector<ByteChange> &) { return text; };
    return edit;
}
