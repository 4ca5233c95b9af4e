#include "link/comm_event.h"
#include "link/line_status.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

LineStatus status(ModemLines lines, LineErrorCounts counts) {
    return {lines, counts};
}

struct ChangeCase {
    const char *name;
    LineStatus after;
    QList<int> codes;
};

class LineEventCodes : public testing::TestWithParam<ChangeCase> {};

const ModemLines Idle{true, true, true, false};

TEST_P(LineEventCodes, ComeFromWhatChanged) {
    const LineStatus before = status(Idle, LineErrorCounts{1, 2, 3, 4, 5});
    EXPECT_EQ(lineEventCodes(before, GetParam().after), GetParam().codes) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, LineEventCodes,
    testing::Values(
        ChangeCase{"nothing", status(Idle, {1, 2, 3, 4, 5}), {}},
        ChangeCase{"break", status(Idle, {2, 2, 3, 4, 5}), {1001}},
        ChangeCase{"framing", status(Idle, {1, 3, 3, 4, 5}), {1004}},
        ChangeCase{"overrun", status(Idle, {1, 2, 4, 4, 5}), {1006}},
        ChangeCase{"buffer overflow", status(Idle, {1, 2, 3, 5, 5}), {1008}},
        ChangeCase{"parity", status(Idle, {1, 2, 3, 4, 9}), {1009}},
        ChangeCase{"carrier lost", status({false, true, true, false}, {1, 2, 3, 4, 5}), {5}},
        ChangeCase{"clear to send", status({true, false, true, false}, {1, 2, 3, 4, 5}), {3}},
        ChangeCase{"data set ready", status({true, true, false, false}, {1, 2, 3, 4, 5}), {4}},
        ChangeCase{"ring", status({true, true, true, true}, {1, 2, 3, 4, 5}), {6}},
        ChangeCase{"framing and carrier together",
                   status({false, true, true, false}, {1, 3, 3, 4, 5}),
                   {1004, 5}}));

TEST(LineEventCodes, OnlyTheRingComingOnCounts) {
    const LineStatus ringing = status({true, true, true, true}, {});
    const LineStatus quiet = status(Idle, {});
    EXPECT_TRUE(lineEventCodes(ringing, quiet).isEmpty());
}

TEST(LineEventCodes, PartsADeviceCannotReportGiveNoEvents) {
    const LineStatus linesOnly{ModemLines{false, false, false, false}, std::nullopt};
    const LineStatus countsOnly{std::nullopt, LineErrorCounts{9, 9, 9, 9, 9}};
    EXPECT_TRUE(lineEventCodes(LineStatus{}, countsOnly).isEmpty());
    EXPECT_TRUE(lineEventCodes(linesOnly, countsOnly).isEmpty());
    EXPECT_TRUE(lineEventCodes(status(Idle, {}), linesOnly).size() == 3);
}

} // namespace
