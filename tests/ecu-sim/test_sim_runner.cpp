#include "ecu_sim_runner.h"
#include "qt_printers.h"
#include "sim_memory.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Sends bytes on the line and takes up to count bytes, or fewer when it stays quiet for 500 ms.
QByteArray exchange(const QString &device, const QByteArray &bytes, int count) {
    QSerialPort port(device);
    if (!port.open(QIODevice::ReadWrite))
        return {};
    port.write(bytes);
    QByteArray out;
    while (out.size() < count && port.waitForReadyRead(500))
        out += port.readAll();
    return out;
}

TEST(EcuSimRunner, AnswersOnItsLinkAndRemovesTheLinkWhenStopped) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("ttyECU"));
    EcuSimConfig config;
    config.linkPath = link;
    EcuSimRunner sim(defaultSimMemory(), config);
    ASSERT_TRUE(sim.isRunning()) << sim.errorString().toStdString();
    EXPECT_EQ(sim.devicePath(), link);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.slavePath());
    EXPECT_EQ(exchange(link, greetingFrame(HandshakeStage::B), 19),
              greetingFrame(HandshakeStage::B) + answerFrame(HandshakeStage::B));

    sim.stop();
    EXPECT_FALSE(sim.isRunning());
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(sim.stats().bytesReceived, 11);
}

TEST(EcuSimRunner, LeavesAFileThatIsNoLinkAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.E2P"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep");
    file.close();
    EcuSimConfig config;
    config.linkPath = path;
    EcuSimRunner sim(defaultSimMemory(), config);
    EXPECT_FALSE(sim.isRunning());
    EXPECT_FALSE(sim.errorString().isEmpty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("keep"));
}

// Paced, every byte takes its time on the line: 19 bytes cannot come back sooner than
// 19 byte times (a lower bound only; the upper end is the benchmark's business).
TEST(EcuSimRunner, PacedBytesTakeTheirTimeOnTheLine) {
    EcuSimConfig config;
    config.paced = true;
    EcuSimRunner sim(defaultSimMemory(), config);
    ASSERT_TRUE(sim.isRunning()) << sim.errorString().toStdString();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(exchange(sim.slavePath(), greetingFrame(HandshakeStage::B), 19).size(), 19);
    EXPECT_GE(clock.nsecsElapsed(), 19 * EcuSimRunner::ByteTimeNs);
}

} // namespace
