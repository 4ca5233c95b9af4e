#include "ecu_layout.h"

#include <utility>

int fiCellAtOffset(int offset) {
    if (offset >= FiFirstBlockOffset && offset < FiFirstBlockOffset + FiFirstBlockCells)
        return offset - FiFirstBlockOffset + 1;
    const int secondCells = MapCells - FiFirstBlockCells;
    if (offset >= FiSecondBlockOffset && offset < FiSecondBlockOffset + secondCells)
        return offset - FiSecondBlockOffset + FiFirstBlockCells + 1;
    return 0;
}

int igCellAtOffset(int offset) {
    if (offset >= IgFirstBlockOffset && offset < IgFirstBlockOffset + IgFirstBlockCells)
        return offset - IgFirstBlockOffset + 1;
    const int secondCells = MapCells - IgFirstBlockCells;
    if (offset >= IgSecondBlockOffset && offset < IgSecondBlockOffset + secondCells)
        return offset - IgSecondBlockOffset + IgFirstBlockCells + 1;
    return 0;
}

namespace {

// The point (1..count) at offset of a table of count bytes from first, or 0.
int pointAt(int offset, int first, int count) {
    return offset >= first && offset < first + count ? offset - first + 1 : 0;
}

} // namespace

bool parameterAt(int offset, ParameterPlace &place) {
    const std::pair<ParameterKind, int> found[] = {
        {ParameterKind::FiCell, fiCellAtOffset(offset)},
        {ParameterKind::IgCell, igCellAtOffset(offset)},
        {ParameterKind::NeAxis, pointAt(offset, NeAxisOffset, NePoints)},
        {ParameterKind::ThAxis, pointAt(offset, ThAxisOffset, ThPoints)},
        {ParameterKind::RuPoint, pointAt(offset, RuMapOffset, RuPoints)},
        {ParameterKind::PitLimit, pointAt(offset, PitLimitOffset, 1)},
        {ParameterKind::ShiftNe, pointAt(offset, ShiftNeOffset, 1)},
        {ParameterKind::IdleNe, pointAt(offset, IdleNeOffset, 1)}};
    for (const auto &[kind, index] : found) {
        if (index != 0) {
            place = {kind, index};
            return true;
        }
    }
    return false;
}

int offsetOf(const ParameterPlace &place) {
    switch (place.kind) {
    case ParameterKind::FiCell:
        return fiCellOffset(place.index);
    case ParameterKind::IgCell:
        return igCellOffset(place.index);
    case ParameterKind::NeAxis:
        return neAxisOffset(place.index);
    case ParameterKind::ThAxis:
        return thAxisOffset(place.index);
    case ParameterKind::RuPoint:
        return ruMapOffset(place.index);
    case ParameterKind::PitLimit:
        return PitLimitOffset;
    case ParameterKind::ShiftNe:
        return ShiftNeOffset;
    case ParameterKind::IdleNe:
        break;
    }
    return IdleNeOffset;
}

int parameterCount(ParameterKind kind) {
    switch (kind) {
    case ParameterKind::FiCell:
    case ParameterKind::IgCell:
        return MapCells;
    case ParameterKind::NeAxis:
        return NePoints;
    case ParameterKind::ThAxis:
        return ThPoints;
    case ParameterKind::RuPoint:
        return RuPoints;
    case ParameterKind::PitLimit:
    case ParameterKind::ShiftNe:
    case ParameterKind::IdleNe:
        break;
    }
    return 1;
}
