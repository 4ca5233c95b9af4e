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

// A port that cannot be opened fails the handshake's first comparison at once; the message's
// detail names the device and the system's reason.
TEST_F(HandshakeTest, APortThatDoesNotOpenFailsTheFirstEchoCheck) {
    const QString device = m_dir.filePath(QStringLiteral("no-such-device"));
    m_settings->writeText(CommProtSection, QStringLiteral("COM3"), device);
    EXPECT_FALSE(read());
    EXPECT_EQ(messagesAfterPrompts(),
              QList<ToldMessage>{critical(QStringLiteral("COM init.(B) F/B data error"),
                                          device + QStringLiteral(": No such file or directory"))});
    expectToldAfterBound(0);
    EXPECT_TRUE(m_link->RxHex().isEmpty());
    expectIdle();
}

// The paced ECU goes on sending the reply of a failed read after the port closed; the next
// handshake does not take those bytes for its echo.
TEST_F(HandshakeTest, ALateReplyToAFailedTransferDoesNotSpoilTheNext) {
    startSim(markedImage(1), with(ChangedEcho, frame(3)), true);
    EXPECT_FALSE(read());
    EXPECT_EQ(messagesAfterPrompts(), QList<ToldMessage>{critical(CommunicationBoxIncorrect)});

    // As long as a person takes for the prompts, at the least.
    QEventLoop pause;
    QTimer::singleShot(100, &pause, &QEventLoop::quit);
    pause.exec();
    m_sim->setFaults(with(ChangedEcho, frame(1)));
    resetOperator();
    EXPECT_FALSE(read());
    EXPECT_EQ(messagesAfterPrompts(), QList<ToldMessage>{critical(CommunicationBoxIncorrect)});
}

} // namespace
