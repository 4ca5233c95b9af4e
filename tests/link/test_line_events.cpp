#include "link_fixture.h"

namespace {

struct EventCase {
    const char *name;
    LineEventKind kind;
    const char *message;
};

class LineEvent : public LinkTest, public testing::WithParamInterface<EventCase> {};

// The event's coded message is shown and the transfer goes on to its normal end.
TEST_P(LineEvent, ShowsItsCodedMessageAndTheTransferStillCompletes) {
    const EcuImage memory = markedImage(4);
    startSim(memory, with(&SimFaults::lineEvent, LineEventFault{GetParam().kind, 20}));
    EXPECT_TRUE(read());
    EXPECT_EQ(m_read, memory);
    EXPECT_EQ(
        messagesAfterPrompts(),
        (QList<ToldMessage>{critical(QLatin1String(GetParam().message)), plain(EcuDataReadEnded)}));
    EXPECT_TRUE(m_link->LinkContinue());
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LineEvent,
    testing::Values(
        EventCase{"CarrierDetect", LineEventKind::CarrierDetect,
                  "communicaation Error --- Code:11"},
        EventCase{"Break", LineEventKind::Break, "communicaation Error --- Code:01"},
        EventCase{"Framing", LineEventKind::Framing, "communicaation Error --- Code:05"},
        EventCase{"Overflow", LineEventKind::Overflow, "communicaation Error --- Code:07"},
        EventCase{"Ring", LineEventKind::Ring, "communicaation Error --- Code:14"}),
    ByName());

// During a write, an event changes nothing of the write.
TEST_F(LinkTest, ALineEventDuringAWriteLeavesTheWriteWhole) {
    const EcuImage before = markedImage(5);
    const EcuImage image = markedImage(6);
    startSim(before, with(&SimFaults::lineEvent, LineEventFault{LineEventKind::Parity, 100}));
    EXPECT_EQ(write(image), WriteOutcome::Done);
    EXPECT_EQ(messagesAfterPrompts(),
              (QList<ToldMessage>{critical(QStringLiteral("communicaation Error --- Code:08")),
                                  plain(EcuDataSettingEnded)}));
    EXPECT_EQ(m_sim->memory(), withProtectedFrom(image, before));
    expectIdle();
}

// A pseudo-terminal reports no line status of its own: with the kernel's view, a transfer
// over it shows no line event.
TEST_F(LinkTest, TheKernelReportsNoLineStatusForAPseudoTerminal) {
    const EcuImage memory = markedImage(4);
    startSim(memory, with(&SimFaults::lineEvent, LineEventFault{LineEventKind::CarrierDetect, 20}));
    m_port.setLineStatusProbe(kernelLineStatusProbe());
    EXPECT_TRUE(read());
    EXPECT_EQ(messagesAfterPrompts().size(), 1);
}

} // namespace
