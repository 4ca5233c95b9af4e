#include "link/comm_event.h"
#include "link/line_status.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

LineStatus status(ModemLines lines, LineErrorCounts counts) {
    return {lines, counts};
}

const ModemLines Idle{true, true, true, false};

// Each change gives its own code, errors before line changes. The transfers' line events pin the
// codes of the other errors and of the ring.
TEST(LineEventCodes, ComeFromWhatChanged) {
    const LineStatus before = status(Idle, {1, 2, 3, 4, 5});
    const std::pair<LineStatus, QList<int>> changes[] = {
        {before, {}},
        {status(Idle, {1, 2, 4, 4, 5}), {1006}},                    // overrun
        {status({false, true, true, false}, {1, 2, 3, 4, 5}), {5}}, // carrier lost
        {status({true, false, true, false}, {1, 2, 3, 4, 5}), {3}}, // clear to send
        {status({true, true, false, false}, {1, 2, 3, 4, 5}), {4}}, // data set ready
        {status({false, true, true, false}, {1, 3, 3, 4, 5}), {1004, 5}}};
    for (const auto &[after, codes] : changes)
        EXPECT_EQ(lineEventCodes(before, after), codes);
}

// Only the ring coming on counts; a part a device cannot report gives no events.
TEST(LineEventCodes, OnlyTheRingComingOnAndOnlyWhatTheDeviceReports) {
    const LineStatus countsOnly{std::nullopt, LineErrorCounts{9, 9, 9, 9, 9}};
    const LineStatus linesOnly{ModemLines{}, std::nullopt};
    EXPECT_TRUE(lineEventCodes(status({true, true, true, true}, {}), status(Idle, {})).isEmpty());
    EXPECT_TRUE(lineEventCodes(LineStatus{}, countsOnly).isEmpty());
    EXPECT_TRUE(lineEventCodes(linesOnly, countsOnly).isEmpty());
    EXPECT_EQ(lineEventCodes(status(Idle, {}), linesOnly), (QList<int>{5, 3, 4}));
}

} // namespace
