#include "hexdata_conv.h"

#include "display_text.h"

namespace {

void clearBytes(EcuImage &image, int first, int last) {
    for (int offset = first; offset <= last; ++offset)
        image.setByte(offset, 0);
}

// The point (1..count) at offset of an axis or the RU map starting at first, or 0.
int pointAt(int offset, int first, int count) {
    return offset >= first && offset < first + count ? offset - first + 1 : 0;
}

template <typename T>
T &cellOf(MapTable<T> &table, int cell) {
    return table[static_cast<std::size_t>(thRowOfCell(cell) - 1)]
                [static_cast<std::size_t>(neColumnOfCell(cell) - 1)];
}

} // namespace

void decodeOffset(EcuTables &t, const EcuImage &image, int offset, RuTextForm ruForm) {
    const std::uint8_t b = image.byte(offset);
    if (const int cell = igCellAtOffset(offset)) {
        cellOf(t.IGmapData, cell) = b;
        cellOf(t.IGmapText, cell) = igText(b);
    } else if (const int fiCell = fiCellAtOffset(offset)) {
        cellOf(t.KmapData, fiCell) = b;
        cellOf(t.KmapText, fiCell) = fiText(b);
    } else if (const int ne = pointAt(offset, NeAxisOffset, NePoints)) {
        const auto i = static_cast<std::size_t>(ne - 1);
        t.NeData[i] = b;
        t.NeText[i] = neText(t.NeData[i]);
    } else if (const int th = pointAt(offset, ThAxisOffset, ThPoints)) {
        const auto i = static_cast<std::size_t>(th - 1);
        t.ThData[i] = b;
        t.ThText[i] = thText(b);
    } else if (const int ru = pointAt(offset, RuMapOffset, RuPoints)) {
        const auto i = static_cast<std::size_t>(ru - 1);
        t.RuadjData[i] = b;
        t.RuadjText[i] = ruForm == RuTextForm::Edited ? ruEditText(b) : ruText(b);
    } else if (offset == PitLimitOffset) {
        t.PitLimitData = b;
        t.PitLimitText = speedText(b);
    } else if (offset == ShiftNeOffset) {
        t.ShiftNeData = b;
        t.ShiftNeText = speedText(b);
    } else if (offset == IdleNeOffset) {
        t.IdleNeData = b;
        t.IdleNeText = idleText(b);
    }
}

EcuTables HEXdata_Conv(EcuImage &image) {
    if (image.byte(IdleNeOffset) > IdleNeMax)
        image.setByte(IdleNeOffset, IdleNeMax);
    clearBytes(image, ProtectedRowFirst, ProtectedRowLast);
    clearBytes(image, ProtectedTailFirst, ProtectedTailLast);
    // The steering-damper bytes are always saved and written as 0.
    image.setByte(304, 0);
    image.setByte(306, 0);
    image.setByte(308, 0);

    EcuTables t;
    for (int offset = 0; offset < EcuImageSize; ++offset)
        decodeOffset(t, image, offset);
    return t;
}

void HEXdata_Conv(EcuData &data) {
    data.tables = HEXdata_Conv(data.image);
}
