#include "ecu_sim_runner.h"
#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "image/ecu_layout.h"
#include "qt_printers.h"
#include "sim_memory.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

// The simulator on a pseudo-terminal, on a thread of the test and as the ecu-sim program.
namespace {

// Sends bytes on the line and takes up to count bytes, or fewer when it stays quiet for 500 ms.
QByteArray exchange(const QString &device, const QByteArray &bytes, int count,
                    qint32 baudRate = 9600) {
    QSerialPort port(device);
    if (!port.open(QIODevice::ReadWrite) || !port.setBaudRate(baudRate))
        return {};
    port.write(bytes);
    QByteArray out;
    while (out.size() < count && port.waitForReadyRead(500))
        out += port.readAll();
    return out;
}

TEST(EcuSimRunner, RemovesItsLinkWhenStoppedAndLeavesAFileThatIsNoLinkAlone) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("ttyECU"));
    EcuSimRunner sim(defaultSimMemory(), EcuSimConfig{false, link, {}});
    ASSERT_TRUE(sim.isRunning()) << sim.errorString().toStdString();
    EXPECT_EQ(sim.devicePath(), link);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.slavePath());
    sim.stop();
    EXPECT_FALSE(sim.isRunning());
    EXPECT_FALSE(QFileInfo(link).isSymLink());

    QFile file(dir.filePath(QStringLiteral("data.E2P")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("keep") == 4);
    file.close();
    EcuSimRunner refused(defaultSimMemory(), EcuSimConfig{false, file.fileName(), {}});
    EXPECT_FALSE(refused.isRunning());
    EXPECT_FALSE(refused.errorString().isEmpty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("keep"));
}

// Paced, every byte takes its time on the line: 19 bytes cannot come back sooner than
// 19 byte times (a lower bound only; the upper end is the benchmark's business).
TEST(EcuSimRunner, PacedBytesTakeTheirTimeOnTheLine) {
    EcuSimRunner sim(defaultSimMemory(), EcuSimConfig{true, {}, {}});
    ASSERT_TRUE(sim.isRunning()) << sim.errorString().toStdString();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(exchange(sim.slavePath(), greetingFrame(HandshakeStage::B), 19).size(), 19);
    EXPECT_GE(clock.nsecsElapsed(), 19 * EcuSimRunner::ByteTimeNs);
}

// At another speed the ECU hears noise: the line gives the echo and nothing more.
TEST(EcuSimRunner, AnswersOnlyAtTheEcusSpeed) {
    EcuSimRunner sim(defaultSimMemory());
    const QByteArray greeting = greetingFrame(HandshakeStage::B);
    EXPECT_EQ(exchange(sim.slavePath(), greeting, 19, 19200), greeting);
    EXPECT_EQ(exchange(sim.slavePath(), greeting, 19), greeting + answerFrame(HandshakeStage::B));
}

// The program answers from its memory file and saves what writes left there when stopped.
TEST(EcuSimProgram, AnswersFromItsMemoryFileAndSavesWhatWritesLeft) {
    QTemporaryDir dir;
    const QString memoryFile = dir.filePath(QStringLiteral("ecu.E2P"));
    const QString link = dir.filePath(QStringLiteral("ttyECU"));
    EcuImage memory = defaultSimMemory();
    memory.setByte(0, 0x5A);
    ASSERT_TRUE(
        writeFileSafely(memoryFile,
                        e2pFileContents(memory, E2PComment::fromText(QStringLiteral("bench ECU"))))
            .ok);

    QProcess sim;
    sim.start(QStringLiteral(ECU_SIM_PROGRAM),
              {QStringLiteral("--link"), link, QStringLiteral("--memory"), memoryFile});
    ASSERT_TRUE(sim.waitForReadyRead(5000)) << sim.readAllStandardError().toStdString();
    EXPECT_TRUE(sim.readAllStandardOutput().startsWith("ecu-sim: ECU on /dev/pts/"));
    QByteArray requests, answers;
    const auto expect = [&](const QByteArray &request, const QByteArray &answer) {
        requests += request;
        answers += request + answer;
    };
    expect(greetingFrame(HandshakeStage::B), answerFrame(HandshakeStage::B));
    expect(greetingFrame(HandshakeStage::C), answerFrame(HandshakeStage::C));
    expect(readRequest(0x20), readReply(0x5A, memory.byte(1)));
    // Writes to the protected areas' first and last words leave the ECU's own contents.
    for (int offset :
         {2, ProtectedRowFirst, ProtectedRowLast - 1, ProtectedTailFirst, ProtectedTailLast - 1})
        expect(writeRequest(EcuImage::wordAddressOf(offset), 0xEE, 0xEE), writeAcknowledge());
    EXPECT_EQ(exchange(link, requests, static_cast<int>(answers.size())), answers);

    ::kill(static_cast<pid_t>(sim.processId()), SIGTERM);
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().toStdString();
    const E2PReadResult saved = readE2PFile(memoryFile);
    ASSERT_TRUE(saved.ok) << saved.message.toStdString();
    memory.setByte(2, 0xEE);
    memory.setByte(3, 0xEE);
    EXPECT_EQ(saved.image, memory);
    EXPECT_EQ(saved.commentText, QStringLiteral("bench ECU"));
}

TEST(EcuSimProgram, DocumentsEveryOptionAndRefusesBadArgumentsWithAReason) {
    QProcess help;
    help.start(QStringLiteral(ECU_SIM_PROGRAM), {QStringLiteral("--help")});
    ASSERT_TRUE(help.waitForFinished(5000));
    EXPECT_EQ(help.exitCode(), 0);
    const QByteArray text = help.readAllStandardOutput();
    for (const char *option :
         {"--link", "--memory", "--paced", "--lose-echo-byte", "--change-echo-byte",
          "--bad-checksum", "--silent-at", "--wrong-answer", "--product-code", "--silent-after",
          "--wrong-ack", "--line-event", "--hangup-after", "--stuck-word"})
        EXPECT_TRUE(text.contains(option)) << option;

    // Refused with status 2 and the reason first.
    QTemporaryDir dir; // where a link would go, were one of them taken
    for (const char *arguments :
         {"--paced", "--link L --silent-at D", "--link L --lose-echo-byte 0",
          "--link L --bad-checksum 2@10", "--link L --product-code QZ3",
          "--link L --line-event smoke@3", "--link L extra", "--link L --no-such-option"}) {
        QProcess refused;
        refused.setWorkingDirectory(dir.path());
        refused.start(QStringLiteral(ECU_SIM_PROGRAM), QString::fromLatin1(arguments).split(u' '));
        ASSERT_TRUE(refused.waitForFinished(5000)) << arguments;
        EXPECT_EQ(refused.exitCode(), 2) << arguments;
        EXPECT_TRUE(QString::fromLocal8Bit(refused.readAllStandardError())
                        .contains(QRegularExpression(QStringLiteral("^ecu-sim: \\S"))))
            << arguments;
    }
}

} // namespace
