#include "document/calibration_document.h"
#include "document/cell_values.h"
#include "document/map_clipboard.h"
#include "qt_printers.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct Byte {
    int offset, value;
};

// Cell (TH row, NE column) of the map at a display value.
Byte fi(int row, int column, int value) {
    return {fiCellOffset(cellNumber(row, column)), cellByte(MapKind::Fi, value)};
}
Byte ig(int row, int column, int value) {
    return {igCellOffset(cellNumber(row, column)), cellByte(MapKind::Ig, value)};
}

// Every cell 0; NE points 1000 r/min apart up to NE 4, 2000 beyond; TH 0..100 in tens.
EcuImage baseImage(const std::vector<Byte> &preset) {
    EcuImage image;
    for (int cell = 1; cell <= MapCells; ++cell)
        image.setByte(fiCellOffset(cell), 100);
    for (int i = 1; i <= NePoints; ++i)
        image.setByte(neAxisOffset(i), static_cast<std::uint8_t>(i <= 4 ? 10 * i : 20 * i - 40));
    for (int i = 1; i <= ThPoints; ++i)
        image.setByte(thAxisOffset(i), static_cast<std::uint8_t>(10 * (i - 1)));
    for (const Byte &b : preset)
        image.setByte(b.offset, static_cast<std::uint8_t>(b.value));
    return image;
}

using Operation = std::function<MapEditResult(const EcuTables &)>;
Operation wrap(ByteEdit (*op)(MapKind, const EcuTables &, const CellBlock &), MapKind kind,
               CellBlock block) {
    return [=](const EcuTables &t) { return MapEditResult{op(kind, t, block), {}}; };
}
Operation step(MapKind kind, CellBlock block, int steps) {
    return [=](const EcuTables &t) { return MapEditResult{stepCells(kind, t, block, steps), {}}; };
}
Operation set(MapKind kind, CellBlock block, const char *typed) {
    return [=](const EcuTables &) { return setCells(kind, block, QString::fromUtf8(typed)); };
}
Operation paste(MapKind kind, CellBlock target, const char *text) {
    return [=](const EcuTables &) { return pasteCells(kind, QString::fromUtf8(text), target); };
}

struct OperationCase {
    const char *name;
    std::vector<Byte> preset;
    Operation operation;
    std::vector<Byte> expected; // the bytes that change; none: no step
    const char *text;           // the undo text, or the refusal
};

OperationCase row(const char *name, std::vector<Byte> preset, Operation operation,
                  std::vector<Byte> expected, const char *text) {
    return {name, std::move(preset), std::move(operation), std::move(expected), text};
}

void PrintTo(const OperationCase &c, std::ostream *out) {
    *out << c.name;
}

class MapOperations : public testing::TestWithParam<OperationCase> {};

TEST_P(MapOperations, ChangeExactlyTheirCellsInOneStepOrNothing) {
    const OperationCase &c = GetParam();
    CalibrationDocument document;
    document.load(baseImage(c.preset), QString());
    const EcuImage before = document.image();
    const MapEditResult result = c.operation(document.tables());
    EXPECT_EQ(result.refusal, c.expected.empty() ? QString::fromUtf8(c.text) : QString());
    EXPECT_EQ(!result.refused() && document.apply(result.edit), !c.expected.empty());
    EcuImage expected = before;
    for (const Byte &b : c.expected)
        expected.setByte(b.offset, static_cast<std::uint8_t>(b.value));
    EXPECT_EQ(document.image(), expected);
    if (c.expected.empty())
        return;
    EXPECT_EQ(document.undoStack().count(), 1);
    EXPECT_EQ(document.undoStack().undoText(), QString::fromUtf8(c.text));
    document.undoStack().undo();
    EXPECT_EQ(document.image(), before);
}

constexpr CellBlock Cell2_3{2, 2, 3, 3};
constexpr CellBlock Block2x3{2, 3, 1, 3}; // TH 2..3, NE 1..3

INSTANTIATE_TEST_SUITE_P(
    Table, MapOperations,
    testing::Values(row("StepUpStopsAtTheLimit", {fi(2, 1, 30), fi(3, 3, 29)},
                        step(MapKind::Fi, Block2x3, 1),
                        {fi(2, 2, 1), fi(2, 3, 1), fi(3, 1, 1), fi(3, 2, 1), fi(3, 3, 30)},
                        "Fi map: 5 cells +1 step"),
                    row("FiveStepsDownNeverFurtherOut",
                        {ig(2, 1, -18), ig(2, 2, -25), ig(3, 1, 10)},
                        step(MapKind::Ig, Block2x3, -5),
                        {ig(2, 1, -20), ig(2, 3, -5), ig(3, 1, 5), ig(3, 2, -5), ig(3, 3, -5)},
                        "IG map: 5 cells -5 steps"),
                    row("StepAtTheLimitIsNoStep", {ig(2, 3, 3)}, step(MapKind::Ig, Cell2_3, 5), {},
                        ""),
                    row("SetRoundsHalvesAway", {}, set(MapKind::Ig, {2, 2, 1, 2}, "-3.5"),
                        {ig(2, 1, -4), ig(2, 2, -4)}, "IG map: 2 cells set to -4deg"),
                    row("SetDecimalCommaAndUnit", {}, set(MapKind::Fi, Cell2_3, " 30,4% "),
                        {fi(2, 3, 30)}, "Fi map: 1 cell set to +30%"),
                    row("SetOutOfRangeRefused", {}, set(MapKind::Fi, Block2x3, "30.5"), {},
                        "The Fi map takes values from -30% to +30%; 30.5 is outside that range. "
                        "Nothing was changed."),
                    // NE 3..6 lie at 3000, 4000, 6000, 8000 r/min; TH 2..4 evenly.
                    row("InterpolateBilinearOverTheAxes",
                        {fi(2, 3, 0), fi(2, 6, 10), fi(4, 3, 20), fi(4, 6, -10)},
                        wrap(interpolateCells, MapKind::Fi, {2, 4, 3, 6}),
                        {fi(2, 4, 2), fi(2, 5, 6), fi(3, 3, 10), fi(3, 4, 8), fi(3, 5, 4),
                         fi(4, 3, 20), fi(4, 4, 14), fi(4, 5, 2), fi(4, 6, -10)},
                        "Fi map: interpolate 4 x 3 cells"),
                    // TH 2..4 at one throttle point: even steps instead.
                    row("InterpolateColumnOverAFlatAxis",
                        {{thAxisOffset(3), 10}, {thAxisOffset(4), 10}, ig(2, 1, -20), ig(4, 1, -1)},
                        wrap(interpolateCells, MapKind::Ig, {2, 4, 1, 1}),
                        {ig(2, 1, -20), ig(3, 1, -11), ig(4, 1, -1)},
                        "IG map: interpolate 1 x 3 cells"),
                    row("SmoothInnerCellsOnly", {fi(3, 3, 10), fi(3, 4, -5), fi(2, 3, 7)},
                        wrap(smoothCells, MapKind::Fi, {2, 4, 2, 5}), {fi(3, 3, 2), fi(3, 4, 1)},
                        "Fi map: smooth 4 x 3 cells"),
                    row(
                        "CopyPastedElsewhere", {fi(3, 1, -12), fi(2, 3, 30)},
                        [](const EcuTables &tables) {
                            return pasteCells(MapKind::Fi, copyCells(MapKind::Fi, tables, Block2x3),
                                              {6, 6, 5, 5});
                        },
                        {fi(6, 5, -12), fi(5, 7, 30)}, "Fi map: paste 3 x 2 cells"),
                    row("PasteBlockTopRowFirst", {},
                        paste(MapKind::Ig, Cell2_3, "-1\t-2deg\t+3\r\n-4\t0\t-20\r\n"),
                        {ig(2, 3, -1), ig(2, 4, -2), ig(2, 5, 3), ig(1, 3, -4), ig(1, 5, -20)},
                        "IG map: paste 3 x 2 cells"),
                    row("PasteOneValueFillsTheSelection", {}, paste(MapKind::Fi, Block2x3, "-7\n"),
                        {fi(2, 1, -7), fi(2, 2, -7), fi(2, 3, -7), fi(3, 1, -7), fi(3, 2, -7),
                         fi(3, 3, -7)},
                        "Fi map: paste 3 x 2 cells"),
                    row("PasteNotANumberRefused", {}, paste(MapKind::Fi, Cell2_3, "1\t2\n3\tx1\n"),
                        {},
                        "The value \"x1\" in row 2, column 2 of the pasted block (TH row 1, NE "
                        "column 4) is not a number. Nothing was pasted."),
                    row("PasteBeyondTheMapRefused", {},
                        paste(MapKind::Fi, {2, 2, 15, 15}, "1\t2\t3\n"), {},
                        "The pasted block of 1 row and 3 columns does not fit in the Fi map with "
                        "its top left cell at TH row 2, NE column 15: the map has TH rows 1 to 11 "
                        "and NE columns 1 to 16. Nothing was pasted."),
                    row("PasteRaggedRefused", {}, paste(MapKind::Ig, Cell2_3, "1\t2\n3\n"), {},
                        "Row 2 of the pasted block has 1 value, row 1 has 2. Nothing was pasted.")),
    [](const testing::TestParamInfo<OperationCase> &param) {
        return std::string(param.param.name);
    });

} // namespace
