#pragma once

// Where every parameter lies in the image (image offsets), and the numbering of map cells.
// A map cell number n runs 1..176: n = (TH row - 1) * 16 + NE column, TH row 1..11 and
// NE column 1..16. The edit dialogs count the same cells from 0.

constexpr int ThRows = 11;
constexpr int NeColumns = 16;
constexpr int MapCells = ThRows * NeColumns; // 176
constexpr int NePoints = 16;
constexpr int ThPoints = 11;
constexpr int RuPoints = 16;

// IG map: cells 1..64 at 0..63, cells 65..176 at 80..191 (row 6 lies between).
constexpr int IgFirstBlockOffset = 0;
constexpr int IgFirstBlockCells = 64;
constexpr int IgSecondBlockOffset = 80;
// Fi map: cells 1..112 at 192..303, cells 113..176 at 320..383 (row 21 lies between).
constexpr int FiFirstBlockOffset = 192;
constexpr int FiFirstBlockCells = 112;
constexpr int FiSecondBlockOffset = 320;

constexpr int NeAxisOffset = 384;   // NE points 1..16
constexpr int ThAxisOffset = 400;   // TH points 1..11
constexpr int RuMapOffset = 412;    // RU points 1..16
constexpr int PitLimitOffset = 428; // PitLimitData
constexpr int ShiftNeOffset = 430;  // ShiftNeData
constexpr int IdleNeOffset = 432;   // IdleNeData, never above IdleNeMax
constexpr int DataNameOffset = 434; // the data name, 8 bytes
constexpr int DataTypeOffset = 442; // the data type marker, 6 bytes

constexpr int IdleNeMax = 15;

// Bytes the ECU keeps for itself: never written, never compared (row 6 and 310..319).
constexpr int ProtectedRowFirst = 64;
constexpr int ProtectedRowLast = 79;
constexpr int ProtectedTailFirst = 310;
constexpr int ProtectedTailLast = 319;
[[nodiscard]] constexpr bool isProtectedOffset(int offset) {
    return (offset >= ProtectedRowFirst && offset <= ProtectedRowLast) ||
           (offset >= ProtectedTailFirst && offset <= ProtectedTailLast);
}

[[nodiscard]] constexpr int cellNumber(int thRow, int neColumn) {
    return (thRow - 1) * NeColumns + neColumn;
}
[[nodiscard]] constexpr int thRowOfCell(int cell) {
    return (cell - 1) / NeColumns + 1;
}
[[nodiscard]] constexpr int neColumnOfCell(int cell) {
    return (cell - 1) % NeColumns + 1;
}

// Image offset of Fi cell n (1..176).
[[nodiscard]] constexpr int fiCellOffset(int cell) {
    return cell <= FiFirstBlockCells ? FiFirstBlockOffset + (cell - 1)
                                     : FiSecondBlockOffset + (cell - FiFirstBlockCells - 1);
}
// Image offset of IG cell n (1..176).
[[nodiscard]] constexpr int igCellOffset(int cell) {
    return cell <= IgFirstBlockCells ? IgFirstBlockOffset + (cell - 1)
                                     : IgSecondBlockOffset + (cell - IgFirstBlockCells - 1);
}

// The inverse: the cell at an image offset, or 0 when the offset holds no cell of that map.
[[nodiscard]] int fiCellAtOffset(int offset);
[[nodiscard]] int igCellAtOffset(int offset);

// The parameters of the image, each a byte or a table of bytes.
enum class ParameterKind { FiCell, IgCell, NeAxis, ThAxis, RuPoint, PitLimit, ShiftNe, IdleNe };
// Every kind, in the order the views and reports name them.
constexpr ParameterKind ParameterKinds[] = {
    ParameterKind::FiCell,  ParameterKind::IgCell,  ParameterKind::NeAxis,   ParameterKind::ThAxis,
    ParameterKind::RuPoint, ParameterKind::ShiftNe, ParameterKind::PitLimit, ParameterKind::IdleNe};
// How many parameters of a kind there are: 176 cells, 16 or 11 points, or a single value.
[[nodiscard]] int parameterCount(ParameterKind kind);

// The parameter a byte holds: its kind and its cell (1..176) or point (1..16), 1 for a single
// value.
struct ParameterPlace {
    ParameterKind kind;
    int index;
    friend bool operator==(const ParameterPlace &, const ParameterPlace &) = default;
};
// The parameter at an image offset; false when the offset holds none.
[[nodiscard]] bool parameterAt(int offset, ParameterPlace &place);
// The image offset of a parameter.
[[nodiscard]] int offsetOf(const ParameterPlace &place);

[[nodiscard]] constexpr int neAxisOffset(int point) {
    return NeAxisOffset + point - 1;
}
[[nodiscard]] constexpr int thAxisOffset(int point) {
    return ThAxisOffset + point - 1;
}
[[nodiscard]] constexpr int ruMapOffset(int point) {
    return RuMapOffset + point - 1;
}
