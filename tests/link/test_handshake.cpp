#include "link_fixture.h"

#include <QProcess>
#include <QSerialPort>

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
            EXPECT_FALSE(m_link->linkContinue());
            expectIdle();
        }
    }
    EXPECT_EQ(m_sim->stats().bytesReceived, 0);
    EXPECT_EQ(m_sim->memory(), markedImage(1));
    EXPECT_TRUE(m_progress.isEmpty());
}

// A port that does not open, is held by another program or refuses the n-th setting of the
// line (TestPort) fails the handshake's first comparison at once and sends nothing; the detail
// names the device and the reason.
TEST_F(HandshakeTest, APortThatCannotBeUsedFailsTheFirstEchoCheck) {
    const struct {
        const char *device; // "sim": the simulator's
        bool held;
        int refuse;
        const char *reason;
    } cases[] = {{"no-such-device", false, 0, "No such file or directory"},
                 {"sim", true, 0, "in use by another program"},
                 {"sim", false, 1, "cannot set 9600 baud: Invalid argument"},
                 {"sim", false, 2, "cannot set 8 data bits: Invalid argument"},
                 {"sim", false, 3, "cannot set no parity: Invalid argument"},
                 {"sim", false, 4, "cannot set 1 stop bit: Invalid argument"},
                 {"sim", false, 5, "cannot set no flow control: Invalid argument"}};
    startSim(markedImage(1));
    for (const auto &c : cases) {
        resetOperator();
        const QString device =
            *c.device == 's' ? m_sim->devicePath() : m_dir.filePath(QLatin1String(c.device));
        m_settings->writeText(CommProtSection, QStringLiteral("COM3"), device);
        QSerialPort holder(device);
        ASSERT_TRUE(!c.held || holder.open(QIODevice::ReadWrite));
        m_port.refuse = c.refuse;
        EXPECT_FALSE(read());
        EXPECT_EQ(messagesAfterPrompts(),
                  QList{critical(QStringLiteral("COM init.(B) F/B data error"),
                                 device + QStringLiteral(": ") + QLatin1String(c.reason))});
        expectToldAfterBound(0);
        expectIdle();
    }
    EXPECT_EQ(m_sim->stats().bytesReceived, 0);
}

// A failure while another program has the port open, and may take the answers, names it.
TEST_F(HandshakeTest, AFailureNamesTheOtherProgramsWithThePortOpen) {
    startSim(markedImage(1), with(ChangedEcho, AtB));
    QProcess holder;
    holder.setStandardInputFile(m_sim->slavePath());
    holder.start(QStringLiteral("sleep"), {QStringLiteral("9")});
    ASSERT_TRUE(holder.waitForStarted());
    EXPECT_FALSE(read());
    EXPECT_EQ(
        messagesAfterPrompts(),
        QList{critical(QStringLiteral("COM init.(B) F/B data error"),
                       m_sim->devicePath() +
                           QStringLiteral(": another program has the port open: sleep (PID %1)")
                               .arg(holder.processId()))});
    holder.kill();
    holder.waitForFinished();
}

// The paced ECU goes on sending the reply of a failed read after the port closed; the next
// handshake, at once, does not take those bytes for its echo.
TEST_F(HandshakeTest, ALateReplyToAFailedTransferDoesNotSpoilTheNext) {
    startSim(markedImage(1), with(ChangedEcho, frame(3)), true);
    EXPECT_FALSE(read());
    EXPECT_EQ(messagesAfterPrompts(), QList<ToldMessage>{critical(CommunicationBoxIncorrect)});

    m_sim->setFaults(with(ChangedEcho, frame(1)));
    resetOperator();
    EXPECT_FALSE(read());
    EXPECT_EQ(messagesAfterPrompts(), QList<ToldMessage>{critical(CommunicationBoxIncorrect)});
}

} // namespace
