#include "sim_memory.h"

#include "image/ecu_layout.h"

namespace {

// Characters at odd offsets come first: each pair holds its two characters swapped.
void setMarkerChar(EcuImage &memory, int index, QChar c) {
    const int offset = DataTypeOffset + (index ^ 1);
    memory.setByte(offset, static_cast<std::uint8_t>(c.unicode() & 0xFF));
}

} // namespace

EcuImage defaultSimMemory() {
    EcuImage memory;
    for (int cell = 1; cell <= MapCells; ++cell) {
        memory.setByte(fiCellOffset(cell), 100);
        memory.setByte(igCellOffset(cell), 0);
    }
    for (int point = 1; point <= NePoints; ++point)
        memory.setByte(neAxisOffset(point), static_cast<std::uint8_t>(10 * point));
    for (int point = 1; point <= ThPoints; ++point)
        memory.setByte(thAxisOffset(point), static_cast<std::uint8_t>(10 * (point - 1)));
    memory.setByte(PitLimitOffset, 60);
    memory.setByte(ShiftNeOffset, 130);
    memory.setByte(IdleNeOffset, 7);
    for (int offset = ProtectedRowFirst; offset <= ProtectedRowLast; ++offset)
        memory.setByte(offset, static_cast<std::uint8_t>(0xA0 + offset - ProtectedRowFirst));
    for (int offset = ProtectedTailFirst; offset <= ProtectedTailLast; ++offset)
        memory.setByte(offset, static_cast<std::uint8_t>(0xC0 + offset - ProtectedTailFirst));
    setEcuDataName(memory, QStringLiteral("ECU-SIM"));
    for (int i = 0; i < EcuMarker.size(); ++i)
        setMarkerChar(memory, i, EcuMarker.at(i));
    return memory;
}

void setProductCode(EcuImage &memory, const QString &code) {
    for (int i = 0; i < 4 && i < code.size(); ++i)
        setMarkerChar(memory, i, code.at(i));
}
