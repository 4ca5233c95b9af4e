#include "document/calibration_document.h"
#include "document/change_cells.h"
#include "document/comparison.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct PairCase {
    const char *name;
    std::vector<std::pair<int, int>> theirs; // bytes the other image has otherwise
    const char *counts;
};

void PrintTo(const PairCase &c, std::ostream *out) {
    *out << c.name;
}

class Pairs : public testing::TestWithParam<PairCase> {};

TEST_P(Pairs, NameEveryParameterThatDiffers) {
    const PairCase &c = GetParam();
    EcuImage ours;
    EcuImage theirs;
    for (const auto &[offset, value] : c.theirs)
        theirs.setByte(offset, static_cast<std::uint8_t>(value));
    const std::vector<Difference> differences = compareImages(ours, theirs);
    EXPECT_EQ(differenceCounts(differences), QString::fromUtf8(c.counts));
    for (const Difference &d : differences)
        EXPECT_EQ(d.theirs, theirs.byte(offsetOf(d.place)));
}

std::vector<std::pair<int, int>> shiftedNeAxis() {
    std::vector<std::pair<int, int>> bytes;
    for (int i = 1; i <= NePoints; ++i)
        bytes.emplace_back(neAxisOffset(i), i + 1);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Pairs,
    testing::Values(
        PairCase{"Same", {}, "0 differ"},
        PairCase{"OneCell", {{fiCellOffset(113), 103}}, "1 differ (Fi 1)"},
        PairCase{"EveryKind",
                 {{fiCellOffset(1), 1},
                  {igCellOffset(176), 1},
                  {neAxisOffset(2), 1},
                  {thAxisOffset(3), 1},
                  {ruMapOffset(4), 1},
                  {ShiftNeOffset, 1},
                  {PitLimitOffset, 1},
                  {IdleNeOffset, 1}},
                 "8 differ (Fi 1, IG 1, NE axis 1, TH axis 1, RU 1, ShiftTiming Indicator 1, "
                 "PITroad Limit 1, Idring Ne 1)"},
        PairCase{"AxisShifted", shiftedNeAxis(), "16 differ (NE axis 16)"},
        // The data name, the marker and the ECU's own bytes are no parameters.
        PairCase{
            "NoParameters", {{DataNameOffset, 'X'}, {DataTypeOffset, 'Q'}, {70, 1}}, "0 differ"}),
    [](const testing::TestParamInfo<PairCase> &param) { return std::string(param.param.name); });

TEST(Comparison, FollowsEditsUndoAndLoads) {
    CalibrationDocument document;
    EcuImage image;
    document.load(image, {});
    Comparison comparison(document);
    int changes = 0;
    QObject::connect(&comparison, &Comparison::changed, [&changes] { ++changes; });
    EcuImage other = image;
    other.setByte(fiCellOffset(5), 120);
    comparison.compareWith(other, QStringLiteral("RACE1.E2P"));
    EXPECT_EQ(comparison.summary(), QStringLiteral("Compared with RACE1.E2P: 1 differ (Fi 1)"));
    ASSERT_NE(comparison.differenceAt(fiCellOffset(5)), nullptr);
    EXPECT_EQ(
        parameterText(ParameterKind::FiCell, comparison.differenceAt(fiCellOffset(5))->theirs),
        QStringLiteral("+20%"));

    ASSERT_TRUE(document.apply(changeCell(MapKind::Fi, 5, 120)));
    EXPECT_EQ(comparison.differenceAt(fiCellOffset(5)), nullptr);
    ASSERT_TRUE(document.apply(changeCell(MapKind::Ig, 9, 3)));
    EXPECT_EQ(comparison.summary(), QStringLiteral("Compared with RACE1.E2P: 1 differ (IG 1)"));
    document.undoStack().undo();
    document.undoStack().undo();
    EXPECT_NE(comparison.differenceAt(fiCellOffset(5)), nullptr);
    document.load(other, {});
    EXPECT_TRUE(comparison.differences().empty());
    comparison.stop();
    EXPECT_EQ(comparison.summary(), QString());
    EXPECT_EQ(changes, 7);
}

} // namespace
