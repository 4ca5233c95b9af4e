#include "link_fixture.h"

namespace {

// A read that gets through: every word, any line event's coded message on the way.
struct GoodReadCase {
    const char *name;
    SimFaults faults;
    int requests;                // read requests the simulator answered
    const char *event = nullptr; // the message of the line event, told before the closing one
    bool kernelProbe = false;    // the line status as the system reports it
};

class GoodRead : public LinkTest, public testing::WithParamInterface<GoodReadCase> {};

TEST_P(GoodRead, HandsOverTheEcusMemory) {
    const GoodReadCase &c = GetParam();
    const EcuImage memory = markedImage(7);
    startSim(memory, c.faults);
    if (c.kernelProbe)
        m_port.setLineStatusProbe(kernelLineStatusProbe());
    EXPECT_TRUE(read());
    EXPECT_EQ(m_read, memory);
    QList<ToldMessage> told{plain(EcuDataReadEnded)};
    if (c.event)
        told.prepend(critical(QLatin1String(c.event)));
    EXPECT_EQ(messagesAfterPrompts(), told);
    EXPECT_FALSE(m_operator.busyWhenTold.back());
    EXPECT_TRUE(m_link->LinkContinue());
    expectIdle();

    // Requests for the words 0x20 to 0xFF in turn, and progress for each word.
    EXPECT_EQ(m_sim->stats().wordsRead, c.requests);
    ASSERT_EQ(m_progress.size(), 225);
    EXPECT_EQ(m_progress.front(), std::make_pair(0, 224));
    EXPECT_EQ(m_progress.back(), std::make_pair(224, 224));
    EXPECT_EQ(m_link->TxHex().left(15), QStringLiteral("82 82 10 06 FF "));
}

SimFaults lineEvent(LineEventKind kind) {
    return with(&SimFaults::lineEvent, LineEventFault{kind, 20});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, GoodRead,
    testing::Values(GoodReadCase{"NoFault", {}, 224},
                    // Three bad replies before each good one: the retries count per word.
                    GoodReadCase{"ThreeBadChecksumsEachWord", with(&SimFaults::badChecksums, 3),
                                 4 * 224},
                    GoodReadCase{"CarrierDetect", lineEvent(LineEventKind::CarrierDetect), 224,
                                 "communicaation Error --- Code:11"},
                    GoodReadCase{"Break", lineEvent(LineEventKind::Break), 224,
                                 "communicaation Error --- Code:01"},
                    GoodReadCase{"Framing", lineEvent(LineEventKind::Framing), 224,
                                 "communicaation Error --- Code:05"},
                    GoodReadCase{"Overflow", lineEvent(LineEventKind::Overflow), 224,
                                 "communicaation Error --- Code:07"},
                    GoodReadCase{"Ring", lineEvent(LineEventKind::Ring), 224,
                                 "communicaation Error --- Code:14"},
                    // A pseudo-terminal has no line status of its own: the system reports no event.
                    GoodReadCase{"KernelSeesNoEventOnAPseudoTerminal",
                                 lineEvent(LineEventKind::CarrierDetect), 224, nullptr, true}),
    ByName());

class ReadFailure : public LinkTest, public testing::WithParamInterface<FailureCase> {};

// Each failure tells its message, hands nothing over and leaves the link idle; once the
// fault is gone the next read works.
TEST_P(ReadFailure, HandsNothingOver) {
    const EcuImage memory = markedImage(9);
    startSim(memory, GetParam().faults);
    EXPECT_FALSE(read());
    EXPECT_FALSE(m_read.has_value());
    EXPECT_EQ(messagesAfterPrompts(),
              QList<ToldMessage>{critical(GetParam().message, hangupDetail(GetParam().faults))});
    expectToldAfterBound(GetParam().afterBound);
    expectIdle();

    m_sim->setFaults({});
    resetOperator();
    EXPECT_TRUE(read());
    EXPECT_EQ(m_read, memory);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ReadFailure,
    testing::Values(FailureCase{"EchoChanged", with(&SimFaults::changeEchoByte, frame(5)),
                                CommunicationBoxIncorrect, false},
                    FailureCase{"EchoOneByteShort", with(&SimFaults::loseEchoByte, frame(224)),
                                CommunicationBoxIncorrect, true},
                    FailureCase{"FourBadChecksums", badChecksums(4, 0x80),
                                CommunicationBoxIncorrect, false},
                    FailureCase{"CablePulled", with(&SimFaults::silentAfter, 100),
                                CommunicationBoxIncorrect, true},
                    FailureCase{"DeviceGone", with(&SimFaults::hangupAfter, 100),
                                CommunicationBoxIncorrect, false}),
    ByName());

} // namespace
