#include "link_fixture.h"

#include <QEventLoop>
#include <QTimer>

namespace {

using HandshakeTest = LinkTest;

TEST_F(HandshakeTest, CancelOnEitherPromptSendsNoByteAndTellsNothing) {
    startSim(markedImage(1));
    for (bool writing : {false, true}) {
        for (int cancelAt : {1, 2}) {
            resetOperator();
            m_operator.answers = cancelAt == 1 ? std::deque{false} : std::deque{true, false};
            EXPECT_TRUE(writing ? write(markedImage(2)) == WriteOutcome::Failed : !read())
                << cancelAt;
            EXPECT_EQ(m_operator.messages,
                      (QList{IgnitionOffPrompt, IgnitionOnPrompt}.first(cancelAt)));
            EXPECT_FALSE(m_read.has_value());
            EXPECT_FALSE(m_link->LinkContinue());
            expectIdle();
        }
    }
    EXPECT_EQ(m_sim->stats().bytesReceived, 0);
    EXPECT_EQ(m_sim->memory(), markedImage(1));
    EXPECT_TRUE(m_progress.isEmpty());
}

struct SilenceCase {
    const char *name;
    SimFaults faults;
};

class Watchdog : public LinkTest, public testing::WithParamInterface<SilenceCase> {};

// No answer within two seconds of the port's opening: the watchdog's message, nothing else.
TEST_P(Watchdog, EndsAHandshakeThatGetsNoAnswer) {
    startSim(markedImage(1), GetParam().faults);
    EXPECT_FALSE(read());
    EXPECT_EQ(messagesAfterPrompts(), QList<ToldMessage>{critical(NotInTransmissionMode)});
    ASSERT_EQ(m_operator.msAfterPrompt.size(), 3);
    EXPECT_GE(m_operator.msAfterPrompt.at(2), 1800);
    EXPECT_LE(m_operator.msAfterPrompt.at(2), 4000);
    EXPECT_TRUE(m_operator.busyWhenTold.at(2));
    EXPECT_FALSE(m_link->LinkContinue());
    expectIdle();

    // The fault was once: the next read goes through.
    resetOperator();
    EXPECT_TRUE(read());
    EXPECT_EQ(m_read, markedImage(1));
}

INSTANTIATE_TEST_SUITE_P(
    Silence, Watchdog,
    testing::Values(SilenceCase{"SilentAtB", with(&SimFaults::silentAt, HandshakeStage::B)},
                    SilenceCase{"SilentAtC", with(&SimFaults::silentAt, HandshakeStage::C)},
                    SilenceCase{"EchoOneByteShortAtB", with(&SimFaults::loseEchoByte,
                                                            FaultPoint{FaultPoint::Kind::StageB})}),
    ByName());

// A port that cannot be opened fails the handshake's first comparison at once; the message's
// detail names the device and the system's reason.
TEST_F(HandshakeTest, APortThatDoesNotOpenFailsTheFirstEchoCheck) {
    const QString device = m_dir.filePath(QStringLiteral("no-such-device"));
    m_settings->writeText(CommProtSection, QStringLiteral("COM3"), device);
    EXPECT_FALSE(read());
    EXPECT_EQ(messagesAfterPrompts(),
              QList<ToldMessage>{critical(QStringLiteral("COM init.(B) F/B data error"),
                                          device + QStringLiteral(": No such file or directory"))});
    expectToldAfterBound(false);
    EXPECT_TRUE(m_link->RxHex().isEmpty());
    expectIdle();
}

// The paced ECU goes on sending the reply of a failed read after the port closed; the next
// handshake does not take those bytes for its echo.
TEST_F(HandshakeTest, ALateReplyToAFailedTransferDoesNotSpoilTheNext) {
    startSim(markedImage(1), with(&SimFaults::changeEchoByte, frame(3)), true);
    EXPECT_FALSE(read());
    EXPECT_EQ(messagesAfterPrompts(), QList<ToldMessage>{critical(CommunicationBoxIncorrect)});

    // As long as a person takes for the prompts, at the least.
    QEventLoop pause;
    QTimer::singleShot(100, &pause, &QEventLoop::quit);
    pause.exec();
    m_sim->setFaults(with(&SimFaults::changeEchoByte, frame(1)));
    resetOperator();
    EXPECT_FALSE(read());
    EXPECT_EQ(messagesAfterPrompts(), QList<ToldMessage>{critical(CommunicationBoxIncorrect)});
}

} // namespace
