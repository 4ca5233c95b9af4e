#include "document/calibration_document.h"
#include "document/change_cells.h"
#include "document/change_from_other.h"
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

struct TakeCase {
    TakenPart part;
    const char *step;                        // the undo text
    std::vector<std::pair<int, int>> ranges; // the offsets taken, first and last of each run
};

class Takes : public testing::TestWithParam<TakeCase> {};

// Each part taken from a calibration that differs in every byte is one step that gives exactly
// its bytes the other's; undo gives them back, and a second take has nothing to do.
TEST_P(Takes, TakeExactlyTheOthersBytesInOneStep) {
    const TakeCase &c = GetParam();
    EcuImage ours;
    EcuImage other;
    for (int offset = 0; offset < EcuImageSize; ++offset) {
        ours.setByte(offset, static_cast<std::uint8_t>(offset % 7));
        other.setByte(offset, static_cast<std::uint8_t>(offset % 7 + 1));
    }
    CalibrationDocument document;
    document.load(ours, {});
    const EcuImage loaded = document.image();
    const SelectedCells cells{MapKind::Ig, {2, 3, 4, 7}};
    ASSERT_TRUE(
        document.apply(takeFromOther(c.part, cells, loaded, other, QStringLiteral("RACE1.E2P"))));
    EXPECT_EQ(document.undoStack().count(), 1);
    EXPECT_EQ(document.undoStack().undoText(), QString::fromUtf8(c.step));
    for (int offset = 0; offset < EcuImageSize; ++offset) {
        const bool taken = std::any_of(c.ranges.cbegin(), c.ranges.cend(), [offset](auto r) {
            return offset >= r.first && offset <= r.second;
        });
        EXPECT_EQ(document.image().byte(offset), (taken ? other : loaded).byte(offset)) << offset;
    }
    EXPECT_FALSE(document.apply(
        takeFromOther(c.part, cells, document.image(), other, QStringLiteral("RACE1.E2P"))));
    document.undoStack().undo();
    EXPECT_EQ(document.image(), loaded);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, Takes,
    testing::Values(
        TakeCase{TakenPart::FiMap, "Take Fi map from RACE1.E2P", {{192, 303}, {320, 383}}},
        TakeCase{TakenPart::IgMap, "Take IG map from RACE1.E2P", {{0, 63}, {80, 191}}},
        TakeCase{TakenPart::RuMap, "Take RU map from RACE1.E2P", {{412, 427}}},
        TakeCase{TakenPart::NeAxis, "Take NE axis from RACE1.E2P", {{384, 399}}},
        TakeCase{TakenPart::ThAxis, "Take TH axis from RACE1.E2P", {{400, 410}}},
        TakeCase{TakenPart::Speeds,
                 "Take the three speeds from RACE1.E2P",
                 {{428, 428}, {430, 430}, {432, 432}}},
        // IG rows 2..3, columns 4..7.
        TakeCase{TakenPart::SelectedCells,
                 "Take 4 x 2 IG map cells from RACE1.E2P",
                 {{19, 22}, {35, 38}}}));

} // namespace
