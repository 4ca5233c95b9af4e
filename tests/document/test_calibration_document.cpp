#include "document/calibration_document.h"
#include "document/cell_arithmetic.h"
#include "document/cell_values.h"
#include "document/change_axis_point.h"
#include "document/change_cells.h"
#include "document/change_ru.h"
#include "document/change_speed.h"
#include "document/keep_map_shape.h"
#include "document/map_clipboard.h"
#include "document/table_import.h"
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
Byte ne(int point, int value) {
    return {neAxisOffset(point), value};
}

std::vector<Byte> all(int (*offsetOf)(int), int count, int value) {
    std::vector<Byte> bytes;
    for (int i = 1; i <= count; ++i)
        bytes.push_back({offsetOf(i), value});
    return bytes;
}

// Every cell 0; NE points 1000 r/min apart up to NE 4, 2000 beyond; TH 0..100 in tens.
EcuImage baseImage(const std::vector<Byte> &preset = {}) {
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

// An edit as the views and dialogs make it, from the tables they show.
using Operation = std::function<MapEditResult(const EcuTables &)>;
Operation edit(const ByteEdit &e) {
    return [=](const EcuTables &) { return MapEditResult{e, {}}; };
}
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
Operation arithmetic(Arithmetic kind, MapKind map, CellBlock block, const char *typed) {
    return [=](const EcuTables &t) {
        return arithmeticEdit(kind, map, t, block, QString::fromUtf8(typed));
    };
}
Operation along(MapKind kind, CellBlock block, Along way) {
    return [=](const EcuTables &t) {
        return MapEditResult{interpolateAlong(kind, t, block, way), {}};
    };
}
Operation keepMap(Axis axis, int point, int value) {
    return [=](const EcuTables &t) {
        return MapEditResult{
            changeAxisPointKeepingMaps(t, axis, point, static_cast<std::uint8_t>(value)), {}};
    };
}
Operation paste(MapKind kind, CellBlock target, const char *text) {
    return [=](const EcuTables &t) { return pasteCells(kind, t, QString::fromUtf8(text), target); };
}

// A table imported from the CSV text made of the tables, as the file T.csv.
Operation import(CsvTable table, const std::function<QByteArray(const EcuTables &)> &text) {
    return [=](const EcuTables &t) {
        const QString name = QStringLiteral("T.csv");
        return importTable(table, t, tableCsvFields(table, text(t), name), name).result;
    };
}
Operation import(CsvTable table, const char *text) {
    return import(table, [=](const EcuTables &) { return QByteArray(text); });
}
// What Export Table writes, with the field in row, column (from 1; none for 0) replaced by raw
// text: row 1 holds the NE axis, column 1 the TH axis, row 3 column 5 is TH row 10, NE column 4.
Operation import(CsvTable table, int row, int column, const char *raw) {
    return import(table, [=](const EcuTables &t) {
        QList<QByteArray> lines = tableCsv(table, t).split('\n');
        if (row == 0)
            return lines.join('\n');
        QList<QByteArray> fields = lines[row - 1].split(',');
        fields[column - 1] = raw;
        lines[row - 1] = fields.join(',');
        return lines.join('\n');
    });
}

struct EditCase {
    const char *name;
    std::vector<Byte> preset;
    Operation operation;
    std::vector<Byte> expected;   // bytes as the edit leaves them, the rest stays; none: no step
    const char *text;             // the undo text, or the refusal
    const char *ruText = nullptr; // RU point 7's text after the edit, when the edit touches it
};

EditCase row(const char *name, std::vector<Byte> preset, Operation operation,
             std::vector<Byte> expected, const char *text, const char *ruText = nullptr) {
    return {name, std::move(preset), std::move(operation), std::move(expected), text, ruText};
}

class Edits : public testing::TestWithParam<EditCase> {};

TEST_P(Edits, ChangeExactlyTheirBytesInOneStepThatUndoAndRedoRestore) {
    const EditCase &c = GetParam();
    CalibrationDocument document;
    document.load(baseImage(c.preset), {});
    const EcuData before = document.data();
    ChangedBytes told;
    QObject::connect(&document, &CalibrationDocument::bytesChanged,
                     [&told](const ChangedBytes &changed) { told = changed; });

    const MapEditResult result = c.operation(document.tables());
    EXPECT_EQ(result.refusal, c.expected.empty() ? QString::fromUtf8(c.text) : QString());
    EXPECT_EQ(!result.refused() && document.apply(result.edit), !c.expected.empty());
    EcuImage expected = before.image;
    for (const Byte &b : c.expected)
        expected.setByte(b.offset, static_cast<std::uint8_t>(b.value));
    EXPECT_EQ(document.image(), expected);
    EXPECT_EQ(document.isModified(), !c.expected.empty());
    if (c.expected.empty())
        return;
    EXPECT_EQ(document.undoStack().count(), 1);
    EXPECT_EQ(document.undoStack().undoText(), QString::fromUtf8(c.text));
    // The views hear of every byte of the edit, the expected ones among them, and of no other.
    ChangedBytes edited;
    for (const ByteChange &change : result.edit.changes)
        edited.add(change.offset);
    for (const Byte &b : c.expected)
        EXPECT_TRUE(edited.contains(b.offset)) << b.offset;
    for (int offset = 0; offset < EcuImageSize; ++offset)
        EXPECT_EQ(told.contains(offset), edited.contains(offset)) << offset;
    // The tables a load of the image would give, RU texts as the editors write them where edited.
    EcuImage image = document.image();
    EcuTables tables = decodeImage(image);
    if (c.ruText) {
        EXPECT_EQ(document.tables().RuadjText[6], QString::fromUtf8(c.ruText));
        tables.RuadjText = document.tables().RuadjText;
    }
    EXPECT_TRUE(document.tables() == tables);
    const EcuData after = document.data();

    document.undoStack().undo();
    EXPECT_EQ(document.image(), before.image);
    EXPECT_TRUE(document.tables() == before.tables);
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(told.count(), edited.count());

    document.undoStack().redo();
    EXPECT_EQ(document.image(), after.image);
    EXPECT_TRUE(document.tables() == after.tables);
}

constexpr CellBlock Cell2_3{2, 2, 3, 3};
constexpr CellBlock Block2x3{2, 3, 1, 3}; // TH 2..3, NE 1..3

INSTANTIATE_TEST_SUITE_P(
    Table, Edits,
    testing::Values(row("FiCell", {fi(2, 4, 3)}, edit(changeCell(MapKind::Fi, 20, 105)),
                        {fi(2, 4, 5)}, "Fi map TH 2 NE 4: +3% \u2192 +5%"),
                    row("IgCellBehindRow6", {{80, 0xFE}}, edit(changeCell(MapKind::Ig, 65, 3)),
                        {{80, 3}}, "IG map TH 5 NE 1: -2deg \u2192 +3deg"),
                    row("IgAllCells", {}, edit(changeAllCells(MapKind::Ig, 0xFE)),
                        all(igCellOffset, MapCells, 0xFE), "IG map: all cells -2deg"),
                    row("NePoint", {{neAxisOffset(6), 60}}, edit(changeAxisPoint(Axis::Ne, 6, 65)),
                        {{neAxisOffset(6), 65}}, "NE point 6: 6000 \u2192 6500 r/min"),
                    row("ThPoint", {}, edit(changeAxisPoint(Axis::Th, 5, 45)),
                        {{thAxisOffset(5), 45}}, "TH point 5: 40 \u2192 45%"),
                    row("ShiftTiming", {{ShiftNeOffset, 140}},
                        edit(changeSpeed(SpeedSetting::ShiftTiming, 150)), {{ShiftNeOffset, 150}},
                        "ShiftTiming Indicator: 14000 \u2192 15000 r/min"),
                    row("PitRoad", {{PitLimitOffset, 60}},
                        edit(changeSpeed(SpeedSetting::PitRoad, 0)), {{PitLimitOffset, 0}},
                        "PITroad Limit: 6000 \u2192 0 r/min"),
                    row("IdleNe", {{IdleNeOffset, 8}}, edit(changeSpeed(SpeedSetting::IdleNe, 9)),
                        {{IdleNeOffset, 9}}, "Idring Ne: 1600 \u2192 1800 r/min"),
                    row("RuPoint", {{ruMapOffset(7), 3}}, edit(changeRuPoint(7, 0xFB)),
                        {{ruMapOffset(7), 0xFB}}, "RU map NE 7: +3% \u2192 -5%", "-5%"),
                    // The same value again: only the text's form changes, and that is a step too.
                    row("RuAllSameValue", all(ruMapOffset, RuPoints, 3), edit(changeAllRuPoints(3)),
                        all(ruMapOffset, RuPoints, 3), "RU map: all points +3%", "+3%"),
                    row("StepUpStopsAtTheLimit", {fi(2, 1, 30), fi(3, 3, 29)},
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
                    // 13 / 5 = 2.6 rounds to 3, not down to 2.
                    row("SmoothRoundsToTheNearest", {ig(3, 3, 10), ig(2, 3, 3)},
                        wrap(smoothCells, MapKind::Ig, {2, 4, 2, 4}), {ig(3, 3, 3)},
                        "IG map: smooth 3 x 3 cells"),
                    row(
                        "CopyPastedElsewhere", {fi(3, 1, -12), fi(2, 3, 30)},
                        [](const EcuTables &tables) {
                            return pasteCells(MapKind::Fi, tables,
                                              copyCells(MapKind::Fi, tables, Block2x3),
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
                        "The value \"x1\" in row 2, column 2 of the pasted block (TH 0 %, 4000 "
                        "r/min) is not a number. Nothing was pasted."),
                    row("PasteBeyondTheMapRefused", {},
                        paste(MapKind::Fi, {2, 2, 14, 14}, "1\t2\t3\t4\n"), {},
                        "The pasted block of 1 row and 4 columns does not fit in the Fi map with "
                        "its top left cell at TH 10 %, 24000 r/min: from there the map has 2 TH "
                        "rows down and 3 NE columns to the right. Nothing was pasted."),
                    row("PasteRaggedRefused", {}, paste(MapKind::Ig, Cell2_3, "1\t2\n3\n"), {},
                        "Row 2 of the pasted block has 1 value, row 1 has 2. Nothing was pasted.")),
    [](const testing::TestParamInfo<EditCase> &param) { return std::string(param.param.name); });

// CSV files of one table as Export Table writes them and spreadsheets give them back.
INSTANTIATE_TEST_SUITE_P(
    Csv, Edits,
    testing::Values(
        // A value outside the range that the cell holds already stays.
        row("ImportFiEditedValue", {fi(1, 1, -50)}, import(CsvTable::Fi, 3, 5, "-7.4"),
            {fi(10, 4, -7)}, "Fi map: import T.csv"),
        row("ImportIgValueWithItsUnit", {}, import(CsvTable::Ig, 12, 17, "-20deg"),
            {ig(1, 16, -20)}, "IG map: import T.csv"),
        row("ImportRuEditedValue", {}, import(CsvTable::Ru, 2, 8, "+15"), {{ruMapOffset(7), 15}},
            "RU map: import T.csv", "+15%"),
        row("ImportUnchangedIsNoStep", {fi(2, 2, 9)}, import(CsvTable::Fi, 0, 0, ""), {}, ""),
        row("ImportAnInnerAxisPointToo", {}, import(CsvTable::Ig, 1, 4, "3500"),
            {{neAxisOffset(3), 35}}, "IG map: import T.csv and its axes"),
        // Semicolons, quotes, LF, signs or none, a decimal comma; blank cells around.
        row("ImportWhatSpreadsheetsWrite", {},
            import(CsvTable::Ru, "\"RU map\"; 1000;2000;3000;4000;6000;8000;"
                                 "10000;12000;14000;16000;18000;20000;22000;24000;400;"
                                 "\"2400\";;\n;+5;5;\" -3% \";\"1,6\";0;0;+1;0;0;0;0;0;"
                                 "0;0;0;0\n;;;\n"),
            {{ruMapOffset(1), 5},
             {ruMapOffset(2), 5},
             {ruMapOffset(3), 0xFD},
             {ruMapOffset(4), 2},
             {ruMapOffset(7), 1}},
            "RU map: import T.csv", "+1%"),
        row("ImportNotANumberRefused", {}, import(CsvTable::Fi, 3, 5, "x1"), {},
            "The value \"x1\" in row 3, column 5 of T.csv (TH row 10, NE column 4) is "
            "not a number. Nothing was imported."),
        row("ImportOutOfRangeRefused", {}, import(CsvTable::Fi, 12, 2, "+31"), {},
            "The value +31 in row 12, column 2 of T.csv (TH row 1, NE column 1) is "
            "outside the range of the Fi map, -30% to +30%. Nothing was imported."),
        // Its name behind a byte-order mark and in quotes.
        row("ImportOfAnotherTableRefused", {}, import(CsvTable::Fi, 1, 1, "\xEF\xBB\xBF\"ig MAP\""),
            {}, "T.csv holds the IG map, not the Fi map. Nothing was imported."),
        row("ImportOfTooFewRowsRefused", {}, import(CsvTable::Fi, "Fi map,1000\n100,0"), {},
            "T.csv has 2 rows; a table of the Fi map has 12: the NE axis and a row per "
            "TH point. Nothing was imported."),
        row("ImportOfAShortRowRefused", {}, import(CsvTable::Fi, 3, 17, ""), {},
            "Row 3 of T.csv has 16 fields; every row of a table of the Fi map has 17. "
            "Nothing was imported."),
        row("ImportOfAnUnclosedQuoteRefused", {}, import(CsvTable::Fi, 4, 2, "\"5"), {},
            "T.csv is no CSV table: the quote that opens a field on line 4 is never "
            "closed. Nothing was imported."),
        row("ImportAxisNotANumberRefused", {}, import(CsvTable::Fi, 1, 3, "x"), {},
            "The value \"x\" in row 1, column 3 of T.csv (NE point 2) is not a "
            "number. Nothing was imported."),
        row("ImportNeNotAWholeHundredRefused", {}, import(CsvTable::Ig, 1, 4, "3050"), {},
            "NE point 3 in T.csv, 3050 r/min, is not a whole hundred of r/min. Nothing "
            "was imported."),
        row("ImportAxisEndRefused", {}, import(CsvTable::Ru, 1, 2, "500"), {},
            "NE point 1 in T.csv is 500 r/min, in the data 1000 r/min: the first and "
            "last points of an axis stay as they are. Nothing was imported."),
        row("ImportFallingAxisRefused", {}, import(CsvTable::Fi, 8, 1, "30"), {},
            "TH point 5 in T.csv, 30, is not above TH point 4, 30: an axis rises from "
            "point to point. Nothing was imported.")),
    [](const testing::TestParamInfo<EditCase> &param) { return std::string(param.param.name); });

// Scale and Add, interpolation one way only, and axis points that keep the maps.
constexpr CellBlock Row2{2, 2, 1, 4}; // TH 2, NE 1..4
constexpr Arithmetic Scale = Arithmetic::Scale, Add = Arithmetic::Add;

INSTANTIATE_TEST_SUITE_P(
    MapMath, Edits,
    testing::Values(
        row("InterpolateAlongRowsOnly", {fi(2, 3, 0), fi(2, 6, 10), fi(3, 3, 20), fi(3, 6, -10)},
            along(MapKind::Fi, {2, 3, 3, 6}, Along::Rows),
            {fi(2, 4, 2), fi(2, 5, 6), fi(3, 4, 14), fi(3, 5, 2)},
            "Fi map: interpolate 4 x 2 cells along rows"),
        // TH 2..4 evenly: -10.5 rounds away from zero.
        row("InterpolateAlongColumnsOnly", {ig(2, 1, -20), ig(4, 1, -1), ig(2, 2, 3), ig(4, 2, 0)},
            along(MapKind::Ig, {2, 4, 1, 2}, Along::Columns), {ig(3, 1, -11), ig(3, 2, 2)},
            "IG map: interpolate 2 x 3 cells along columns"),
        // Fuel 90 % x 1.05 = 94.5 %: -5.5 % rounds to -6 %, not -5 %.
        row("ScaleFiScalesTheFuelNotTheTrim", {fi(2, 1, -10), fi(2, 2, 10), fi(2, 3, -30)},
            arithmetic(Scale, MapKind::Fi, Row2, "+5"),
            {fi(2, 1, -6), fi(2, 2, 16), fi(2, 3, -27), fi(2, 4, 5)},
            "Fi map: scale 4 cells by +5%"),
        row("ScaleFiHalfUpToTheTop", {}, arithmetic(Scale, MapKind::Fi, Cell2_3, "29,5 %"),
            {fi(2, 3, 30)}, "Fi map: scale 1 cell by +29.5%"),
        row("ScaleFiHalfDownToTheBottom", {fi(2, 1, 25)},
            arithmetic(Scale, MapKind::Fi, {2, 2, 1, 3}, "-29.5"),
            {fi(2, 1, -12), fi(2, 2, -30), fi(2, 3, -30)}, "Fi map: scale 3 cells by -29.5%"),
        row("ScaleFiPastTheTopRefused", {fi(2, 2, -30)},
            arithmetic(Scale, MapKind::Fi, Row2, "30.5"), {},
            "The Fi map takes values from -30% to +30%; scaled by +30.5%, 3 cells "
            "would pass +30%. Nothing was changed."),
        row("ScaleFiPastTheBottomRefused", {}, arithmetic(Scale, MapKind::Fi, Row2, "-30.5"), {},
            "The Fi map takes values from -30% to +30%; scaled by -30.5%, 4 cells "
            "would pass -30%. Nothing was changed."),
        // Degrees x 1.05: -10.5 rounds to -11, -19.95 to -20; +2.1 stays +2.
        row("ScaleIgDegrees", {ig(2, 1, -10), ig(2, 2, 2), ig(2, 3, -19)},
            arithmetic(Scale, MapKind::Ig, Row2, "+5%"), {ig(2, 1, -11), ig(2, 3, -20)},
            "IG map: scale 2 cells by +5%"),
        row("ScaleIgPastBothEndsRefused", {ig(2, 1, 2), ig(2, 2, -10)},
            arithmetic(Scale, MapKind::Ig, Row2, "110"), {},
            "The IG map takes values from -20deg to +3deg; scaled by +110%, 1 cell "
            "would pass +3deg and 1 cell would pass -20deg. Nothing was changed."),
        row("AddRoundsTheAmountAwayFromZero", {fi(2, 1, 27)},
            arithmetic(Add, MapKind::Fi, {2, 2, 1, 2}, "+2.5"), {fi(2, 1, 30), fi(2, 2, 3)},
            "Fi map: add +3% to 2 cells"),
        row("AddPastTheBottomRefused", {ig(2, 4, -19)},
            arithmetic(Add, MapKind::Ig, Row2, "-1.5deg"), {},
            "The IG map takes values from -20deg to +3deg; with -2deg added, 1 cell "
            "would pass -20deg. Nothing was changed."),
        row("AddNotANumberRefused", {}, arithmetic(Add, MapKind::Fi, Row2, "2x"), {},
            "\"2x\" is not a number. Nothing was changed."),
        // NE 6..8 at 6000, 6500, 7500 r/min; NE 7 to 7000 takes the map's value
        // there: row 2, linear in r/min, exactly; 2.5 and -3.5 away from zero.
        row("KeepMapShapeNe",
            {ne(6, 60), ne(7, 65), ne(8, 75), fi(2, 6, -5), fi(2, 8, 10), fi(3, 7, 5), ig(4, 7, -3),
             ig(4, 8, -4)},
            keepMap(Axis::Ne, 7, 70), {ne(7, 70), fi(2, 7, 5), fi(3, 7, 3), ig(4, 7, -4)},
            "NE 7 6500 \u2192 7000, map kept"),
        // TH 5 from 40 down to 35, halfway to TH 4 (30).
        row("KeepMapShapeTh", {fi(4, 2, -10), ig(4, 3, 3), ig(5, 3, 0)}, keepMap(Axis::Th, 5, 35),
            {{thAxisOffset(5), 35}, fi(5, 2, -5), ig(5, 3, 2)}, "TH 5 40 \u2192 35, map kept")),
    [](const testing::TestParamInfo<EditCase> &param) { return std::string(param.param.name); });

TEST(CalibrationDocument, OneDragIsOneStepAndADragBackIsNoneButForTheRuTextForm) {
    CalibrationDocument document;
    document.load(baseImage(), {});
    const quint64 drag = document.newGesture();
    for (std::uint8_t value : {101, 102, 104})
        ASSERT_TRUE(document.apply(changeCell(MapKind::Fi, 20, value, drag)));
    EXPECT_EQ(document.undoStack().count(), 1);
    EXPECT_EQ(document.undoStack().undoText(), QStringLiteral("Fi map TH 2 NE 4: 0% \u2192 +4%"));
    // Another drag, and moves without a drag (keys), are steps of their own.
    ASSERT_TRUE(document.apply(changeCell(MapKind::Fi, 20, 105, document.newGesture())));
    ASSERT_TRUE(document.apply(changeRuPoint(2, 4)));
    ASSERT_TRUE(document.apply(changeRuPoint(2, 5)));
    EXPECT_EQ(document.undoStack().count(), 4);
    for (int k = 0; k < 4; ++k)
        document.undoStack().undo();
    EXPECT_EQ(document.image(), baseImage());

    const quint64 back = document.newGesture();
    ASSERT_TRUE(document.apply(changeCell(MapKind::Ig, 1, 5, back)));
    ASSERT_TRUE(document.apply(changeCell(MapKind::Ig, 1, 0, back)));
    EXPECT_FALSE(document.undoStack().canUndo());
    EXPECT_EQ(document.image(), baseImage());

    // Back where it began, an RU point reads as the editors write it: a change of text form,
    // where its text has two forms (" +5%" as loaded, "+5%"), and none at "0%" (RU 3).
    document.load(baseImage({{ruMapOffset(2), 5}}), {});
    for (const auto &[point, start] : {std::pair{3, 0}, std::pair{2, 5}}) {
        const quint64 ruDrag = document.newGesture();
        ASSERT_TRUE(document.apply(changeRuPoint(point, 6, ruDrag)));
        ASSERT_TRUE(document.apply(changeRuPoint(point, static_cast<std::uint8_t>(start), ruDrag)));
        EXPECT_EQ(document.isModified(), start != 0);
    }
    EXPECT_EQ(document.tables().RuadjText[1], QStringLiteral("+5%"));
    ASSERT_EQ(document.undoStack().count(), 1);
    document.undoStack().undo();
    EXPECT_EQ(document.tables().RuadjText[1], QStringLiteral(" +5%"));
}

TEST(CalibrationDocument, CleanAfterLoadAndSaveModifiedAfterEditsAndComments) {
    CalibrationDocument document;
    QList<bool> modified;
    QObject::connect(&document, &CalibrationDocument::modifiedChanged,
                     [&modified](bool m) { modified << m; });
    EXPECT_FALSE(document.apply(changeSpeed(SpeedSetting::PitRoad, 1))); // no data yet
    document.load(baseImage(), E2PComment::fromText(QStringLiteral("first\r\nsecond")));
    EXPECT_EQ(document.comment(), QStringLiteral("first\nsecond"));
    EXPECT_FALSE(document.apply(changeSpeed(SpeedSetting::PitRoad, 0))); // changes nothing
    EXPECT_FALSE(document.isModified());

    ASSERT_TRUE(document.apply(changeSpeed(SpeedSetting::PitRoad, 61)));
    EcuImage saved = document.image();
    setEcuDataName(saved, QStringLiteral("RACE1"));
    document.markSaved(saved, document.commentToSave());
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(ecuDataName(document.image()), QStringLiteral("RACE1   "));
    ASSERT_TRUE(document.undoStack().canUndo()); // a save keeps the history
    document.undoStack().undo();
    EXPECT_TRUE(document.isModified());
    document.undoStack().redo();
    EXPECT_FALSE(document.isModified());

    // The comment: unedited, a save writes it as it came; edited, with CR LF between lines.
    EXPECT_EQ(document.commentToSave().text(), QStringLiteral("first\r\nsecond"));
    document.setComment(QStringLiteral("first\nthird"));
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.commentToSave().text(), QStringLiteral("first\r\nthird"));
    document.setComment(QStringLiteral("first\nsecond"));
    EXPECT_FALSE(document.isModified());

    document.load(baseImage(), {});
    EXPECT_FALSE(document.undoStack().canUndo()); // a load starts a new history
    document.setComment(QStringLiteral("notes"));
    document.clear();
    EXPECT_FALSE(document.isModified()); // nothing to lose without data
    EXPECT_EQ(modified, (QList<bool>{true, false, true, false, true, false, true, false}));
}

} // namespace
