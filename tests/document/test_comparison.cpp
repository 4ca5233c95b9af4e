#include "document/calibration_document.h"
#include "document/change_cells.h"
#include "document/comparison.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct PairCase {
    const char *name;
    std::vector<int> theirs; // offsets where the other image differs
    const char *counts;
};

class Pairs : public testing::TestWithParam<PairCase> {};

TEST_P(Pairs, NameEveryParameterThatDiffers) {
    const PairCase &c = GetParam();
    EcuImage ours;
    EcuImage theirs;
    for (int offset : c.theirs) // a value of its own at each offset, to tell them apart
        theirs.setByte(offset, static_cast<std::uint8_t>(offset % 255 + 1));
    const std::vector<Difference> differences = compareImages(ours, theirs);
    EXPECT_EQ(differenceCounts(differences), QString::fromUtf8(c.counts));
    for (const Difference &d : differences)
        EXPECT_EQ(d.theirs, theirs.byte(offsetOf(d.place)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Pairs,
    testing::Values(
        // Each kind at both ends of its place, and the first cell of the Fi map's second block.
        PairCase{"EveryKind",
                 {fiCellOffset(1), fiCellOffset(113), fiCellOffset(176), igCellOffset(1),
                  igCellOffset(176), neAxisOffset(1), neAxisOffset(NePoints), thAxisOffset(1),
                  thAxisOffset(ThPoints), ruMapOffset(1), ruMapOffset(RuPoints), ShiftNeOffset,
                  PitLimitOffset, IdleNeOffset},
                 "14 differ (Fi 3, IG 2, NE axis 2, TH axis 2, RU 2, ShiftTiming Indicator 1, "
                 "PITroad Limit 1, Idring Ne 1)"},
        // The data name, the marker and the ECU's own bytes are no parameters.
        PairCase{"NoParameters", {DataNameOffset, DataTypeOffset, 70}, "0 differ"}),
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
    EXPECT_EQ(comparison.differenceAt(fiCellOffset(5))->theirsText(), QStringLiteral("+20%"));

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
