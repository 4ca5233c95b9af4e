#include "link_fixture.h"

namespace {

// A read that gets through: every word, any line event's coded message on the way.
struct GoodReadCase {
    const char *name;
    SimFaults faults;
    const char *event = nullptr; // the message of the line event, told before the closing one
    int requests = 224;          // read requests the simulator answered
    bool kernelProbe = false;    // the line status as the system reports it
    bool heldOpen = false;
};

class GoodRead : public LinkTest, public testing::WithParamInterface<GoodReadCase> {};

TEST_P(GoodRead, HandsOverTheEcusMemory) {
    const GoodReadCase &c = GetParam();
    const EcuImage memory = markedImage(7);
    startSim(memory, c.faults);
    m_operator.holdBoxMs = c.heldOpen ? PastTheWatchdogMs : 0;
    if (c.kernelProbe)
        m_port.setLineStatusProbe(kernelLineStatusProbe());
    EXPECT_TRUE(read());
    EXPECT_EQ(m_read, memory);
    QList<ToldMessage> told{plain(EcuDataReadEnded)};
    if (c.event)
        told.prepend(critical(QLatin1String(c.event)));
    EXPECT_EQ(messagesAfterPrompts(), told);
    EXPECT_FALSE(m_operator.busyWhenTold);
    EXPECT_TRUE(m_link->linkContinue());
    expectIdle();

    // Requests for the words 0x20 to 0xFF in turn, and progress for each word.
    EXPECT_EQ(m_sim->stats().wordsRead, c.requests);
    ASSERT_EQ(m_progress.size(), 225);
    EXPECT_EQ(m_progress.front(), std::make_pair(0, 224));
    EXPECT_EQ(m_progress.back(), std::make_pair(224, 224));
    EXPECT_EQ(m_link->txHex().left(15), QStringLiteral("82 82 10 06 FF "));
}

SimFaults event(LineEventKind kind) {
    return with(&SimFaults::lineEvent, LineEventFault{kind, 20});
}

using enum LineEventKind;

INSTANTIATE_TEST_SUITE_P(
    Faults, GoodRead,
    testing::ValuesIn(std::vector<GoodReadCase>{
        {"NoFault", {}},
        // Three bad replies before each good one: the retries count per word.
        {"ThreeBadChecksumsEachWord", with(&SimFaults::badChecksums, 3), nullptr, 4 * 224},
        {"CarrierDetect", event(CarrierDetect), "communicaation Error --- Code:11"},
        // Its box open past the watchdog, an event in the handshake costs the ECU no time.
        {"InTheHandshakeHeldOpen", with(&SimFaults::lineEvent, LineEventFault{ClearToSend, 0}),
         "communicaation Error --- Code:12", 224, false, HeldOpen},
        {"Break", event(Break), "communicaation Error --- Code:01"},
        {"Framing", event(Framing), "communicaation Error --- Code:05"},
        {"Overflow", event(Overflow), "communicaation Error --- Code:07"},
        {"Ring", event(Ring), "communicaation Error --- Code:14"},
        // A pseudo-terminal has no line status of its own: the system reports no event.
        {"KernelSeesNoEventOnAPseudoTerminal", event(CarrierDetect), nullptr, 224, true}}),
    ByName());

class ReadFailure : public LinkTest, public testing::WithParamInterface<FailureCase> {};

// Each failure tells its message while the window is still disabled (held open: one message
// still), hands nothing over and leaves the link idle; once the fault is gone the next read works.
// Only the watchdog stops the link.
TEST_P(ReadFailure, HandsNothingOver) {
    const EcuImage memory = markedImage(9);
    startSim(memory, GetParam().faults);
    m_operator.holdBoxMs = GetParam().heldOpen ? PastTheWatchdogMs : 0;
    EXPECT_FALSE(read());
    EXPECT_FALSE(m_read.has_value());
    EXPECT_EQ(messagesAfterPrompts(),
              QList<ToldMessage>{critical(GetParam().message, hangupDetail(GetParam().faults))});
    expectToldAfterBound(GetParam().boundMs);
    EXPECT_TRUE(m_operator.busyWhenTold);
    EXPECT_EQ(m_link->linkContinue(), GetParam().message != NotInTransmissionMode);
    expectIdle();

    m_sim->setFaults({});
    resetOperator();
    EXPECT_TRUE(read());
    EXPECT_EQ(m_read, memory);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ReadFailure,
    testing::ValuesIn(std::vector<FailureCase>{
        {"EchoChanged", with(ChangedEcho, frame(5)), CommunicationBoxIncorrect, 0},
        {"EchoOneByteShort", with(LostEcho, frame(224)), CommunicationBoxIncorrect, 1000},
        {"FourBadChecksums", badChecksums(4, 0x80), CommunicationBoxIncorrect, 0},
        {"CablePulled", with(SilentAfter, 100), CommunicationBoxIncorrect, 1000},
        {"DeviceGone", with(HangupAfter, 100), CommunicationBoxIncorrect, 0},
        // No answer within two seconds of the port's opening: the watchdog's message.
        {"SilentAtB", with(SilentAt, HandshakeStage::B), NotInTransmissionMode, 2000},
        {"SilentAtC", with(SilentAt, HandshakeStage::C), NotInTransmissionMode, 2000, HeldOpen},
        {"EchoOneByteShortAtB", with(LostEcho, AtB), NotInTransmissionMode, 2000}}),
    ByName());

} // namespace
