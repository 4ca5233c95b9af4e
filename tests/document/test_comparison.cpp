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

std::vector<int> neAxis() {
    std::vector<int> offsets;
    for (int i = 1; i <= NePoints; ++i)
        offsets.push_back(neAxisOffset(i));
    return offsets;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Pairs,
    testing::Values(
        PairCase{"OneCell", {fiCellOffset(113)}, "1 differ (Fi 1)"},
        PairCase{"EveryKind",
                 {fiCellOffset(1), igCellOffset(176), neAxisOffset(2), thAxisOffset(3),
                  ruMapOffset(4), ShiftNeOffset, PitLimitOffset, IdleNeOffset},
                 "8 differ (Fi 1, IG 1, NE axis 1, TH axis 1, RU 1, ShiftTiming Indicator 1, "
                 "PITroad Limit 1, Idring Ne 1)"},
        PairCase{"WholeNeAxis", neAxis(), "16 differ (NE axis 16)"},
        // The data name, the marker and the ECU's own bytes are no parameters.
        PairCase{"NoParameters", {DataNameOffset, DataTypeOffset, 70}, "0 differ"}),
    [](const testing::TestParamInfo<PairCase> &param) { return std::string(param.param.name); });

TEST(Comparison, FollowsEditsUndoAndLoads) {
    CalibrationDocument document;
    EcuImage image;
    document.load(image, QString());
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
    document.load(other, QString());
    EXPECT_TRUE(comparison.differences().empty());
    comparison.stop();
    EXPECT_EQ(comparison.summary(), QString());
    EXPECT_EQ(changes, 7);
}

} // namespace
