#include "image_decoding.h"

#include "display_text.h"

namespace {

void clearBytes(EcuImage &image, int first, int last) {
    for (int offset = first; offset <= last; ++offset)
        image.setByte(offset, 0);
}

template <typename T>
T &cellOf(MapTable<T> &table, int cell) {
    return table[static_cast<std::size_t>(thRowOfCell(cell) - 1)]
                [static_cast<std::size_t>(neColumnOfCell(cell) - 1)];
}

} // namespace

void decodeOffset(EcuTables &t, const EcuImage &image, int offset, RuTextForm ruForm) {
    ParameterPlace place{};
    if (!parameterAt(offset, place))
        return;
    const std::uint8_t b = image.byte(offset);
    const auto i = static_cast<std::size_t>(place.index - 1);
    switch (place.kind) {
    case ParameterKind::FiCell:
        cellOf(t.KmapData, place.index) = b;
        cellOf(t.KmapText, place.index) = fiText(b);
        break;
    case ParameterKind::IgCell:
        cellOf(t.IGmapData, place.index) = b;
        cellOf(t.IGmapText, place.index) = igText(b);
        break;
    case ParameterKind::NeAxis:
        t.NeData[i] = b;
        t.NeText[i] = neText(t.NeData[i]);
        break;
    case ParameterKind::ThAxis:
        t.ThData[i] = b;
        t.ThText[i] = thText(b);
        break;
    case ParameterKind::RuPoint:
        t.RuadjData[i] = b;
        t.RuadjText[i] = ruForm == RuTextForm::Edited ? ruEditText(b) : ruText(b);
        break;
    case ParameterKind::PitLimit:
        t.PitLimitData = b;
        t.PitLimitText = speedText(b);
        break;
    case ParameterKind::ShiftNe:
        t.ShiftNeData = b;
        t.ShiftNeText = speedText(b);
        break;
    case ParameterKind::IdleNe:
        t.IdleNeData = b;
        t.IdleNeText = idleText(b);
        break;
    }
}

EcuTables decodeImage(EcuImage &image) {
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

void decodeImage(EcuData &data) {
    data.tables = decodeImage(data.image);
}
