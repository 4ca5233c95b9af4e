// What the maps read at an operating point, and the texts of the difference views.

#include "document/cell_values.h"
#include "document/difference_texts.h"
#include "document/operating_point.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

// NE points 1000..16000 r/min, TH points 5, 10, 20 .. 100 %; every cell 0 but the block of TH
// 30..40 % and 6000..7000 r/min, the corners and the cells around NE 8000.
EcuTables knownTables() {
    EcuTables t;
    for (std::size_t i = 0; i < NePoints; ++i)
        t.NeData[i] = static_cast<std::int32_t>(10 * (i + 1));
    for (std::size_t i = 0; i < ThPoints; ++i)
        t.ThData[i] = static_cast<std::uint8_t>(i == 0 ? 5 : 10 * i);
    for (auto &row : t.KmapData)
        row.fill(100);
    const int cells[][4] = {{4, 6, 4, -2},   {4, 7, 8, -6},  {5, 6, 12, 0},
                            {5, 7, -4, 2},   {10, 16, 6, 0}, {11, 16, 10, 3},
                            {1, 1, -7, -20}, {2, 8, -9, -1}, {2, 9, 9, 1}}; // row, column, Fi, IG
    for (const auto &[row, column, fi, ig] : cells) {
        const auto r = static_cast<std::size_t>(row - 1);
        const auto c = static_cast<std::size_t>(column - 1);
        t.KmapData[r][c] = cellByte(MapKind::Fi, fi);
        t.IGmapData[r][c] = cellByte(MapKind::Ig, ig);
    }
    return t;
}

struct PointCase {
    int speed, throttle;
    int equalNePoint; // this NE point set to the one below it, or 0
    CellBlock cells;
    const char *text;
};

// By hand: lower row 4·(1−a) + 8·a, upper row 12·(1−a) − 4·a, then (1−b)·lower + b·upper.
TEST(OperatingPoint, ReadsTheFourCellsAroundThePoint) {
    const PointCase cases[] = {
        {6500, 35, 0, {4, 5, 6, 7}, "Fi +5.0%, IG -1.5deg"},
        {6250, 32, 0, {4, 5, 6, 7}, "Fi +5.6%, IG -2.3deg"},
        {6000, 30, 0, {4, 5, 6, 7}, "Fi +4.0%, IG -2.0deg"}, // on a point
        {16000, 100, 0, {10, 11, 15, 16}, "Fi +10.0%, IG +3.0deg"},
        {20000, 95, 0, {10, 11, 15, 16}, "Fi +8.0%, IG +1.5deg (clamped to 16000 r/min)"},
        {0, 0, 0, {1, 2, 1, 2}, "Fi -7.0%, IG -20.0deg (clamped to 1000 r/min, 5%)"},
        // NE 9 equal to NE 8: from 8000 r/min on, NE 9's values count.
        {8000, 10, 9, {2, 3, 9, 10}, "Fi +9.0%, IG +1.0deg (NE axis not rising at point 9)"},
        {7500, 10, 9, {2, 3, 7, 8}, "Fi -4.5%, IG -0.5deg (NE axis not rising at point 9)"},
    };
    for (const PointCase &c : cases) {
        EcuTables tables = knownTables();
        if (c.equalNePoint)
            tables.NeData[static_cast<std::size_t>(c.equalNePoint - 1)] =
                tables.NeData[static_cast<std::size_t>(c.equalNePoint - 2)];
        const OperatingPointReading reading = readOperatingPoint(tables, c.speed, c.throttle);
        EXPECT_EQ(reading.cells, c.cells) << c.speed << " r/min, " << c.throttle << "%";
        EXPECT_EQ(operatingPointText(reading), QString::fromUtf8(c.text));
    }
}

struct TextCase {
    MapKind kind;
    int ours, theirs;
    CellTexts shown;
    const char *text;
};

TEST(DifferenceTexts, InTheMapsUnitsAndAsTheFuelsChange) {
    const TextCase cases[] = {
        {MapKind::Fi, 105, 90, CellTexts::Values, "+5%"},
        {MapKind::Fi, 105, 90, CellTexts::Difference, "+15%"},
        {MapKind::Fi, 105, 90, CellTexts::PercentDifference, "+16.7%"},
        {MapKind::Fi, 90, 105, CellTexts::PercentDifference, "-14.3%"},
        {MapKind::Fi, 130, 130, CellTexts::PercentDifference, "0.0%"},
        {MapKind::Fi, 1, 0, CellTexts::PercentDifference, "n/a"},
        {MapKind::Ig, 0xFD, 0, CellTexts::Difference, "-3deg"},
        {MapKind::Ig, 2, 0xF6, CellTexts::PercentDifference, "+12deg"},
    };
    for (const TextCase &c : cases) {
        EXPECT_EQ(differenceText(c.kind, static_cast<std::uint8_t>(c.ours),
                                 static_cast<std::uint8_t>(c.theirs), c.shown),
                  QString::fromUtf8(c.text))
            << c.ours << " against " << c.theirs;
    }
}

} // namespace
