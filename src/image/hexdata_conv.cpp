#include "hexdata_conv.h"

#include "display_text.h"

namespace {

void clearBytes(EcuImage &image, int first, int last) {
    for (int offset = first; offset <= last; ++offset)
        image.setByte(offset, 0);
}

} // namespace

EcuTables HEXdata_Conv(EcuImage &image) {
    EcuTables t;

    t.PitLimitData = image.byte(PitLimitOffset);
    t.PitLimitText = speedText(t.PitLimitData);

    t.ShiftNeData = image.byte(ShiftNeOffset);
    t.ShiftNeText = speedText(t.ShiftNeData);

    if (image.byte(IdleNeOffset) > IdleNeMax)
        image.setByte(IdleNeOffset, IdleNeMax);
    t.IdleNeData = image.byte(IdleNeOffset);
    t.IdleNeText = idleText(t.IdleNeData);

    clearBytes(image, ProtectedRowFirst, ProtectedRowLast);
    clearBytes(image, ProtectedTailFirst, ProtectedTailLast);
    // The steering-damper bytes are always saved and written as 0.
    image.setByte(304, 0);
    image.setByte(306, 0);
    image.setByte(308, 0);

    for (int cell = 1; cell <= MapCells; ++cell) {
        const auto th = static_cast<std::size_t>(thRowOfCell(cell) - 1);
        const auto ne = static_cast<std::size_t>(neColumnOfCell(cell) - 1);
        t.IGmapData[th][ne] = image.byte(igCellOffset(cell));
        t.IGmapText[th][ne] = igText(t.IGmapData[th][ne]);
        t.KmapData[th][ne] = image.byte(fiCellOffset(cell));
        t.KmapText[th][ne] = fiText(t.KmapData[th][ne]);
    }

    for (int point = 1; point <= RuPoints; ++point) {
        const auto i = static_cast<std::size_t>(point - 1);
        t.RuadjData[i] = image.byte(ruMapOffset(point));
        t.RuadjText[i] = ruText(t.RuadjData[i]);
    }
    for (int point = 1; point <= ThPoints; ++point) {
        const auto i = static_cast<std::size_t>(point - 1);
        t.ThData[i] = image.byte(thAxisOffset(point));
        t.ThText[i] = thText(t.ThData[i]);
    }
    for (int point = 1; point <= NePoints; ++point) {
        const auto i = static_cast<std::size_t>(point - 1);
        t.NeData[i] = image.byte(neAxisOffset(point));
        t.NeText[i] = neText(t.NeData[i]);
    }
    return t;
}

void HEXdata_Conv(EcuData &data) {
    data.tables = HEXdata_Conv(data.image);
}
