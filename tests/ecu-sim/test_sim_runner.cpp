#include "ecu_sim_runner.h"
#include "qt_printers.h"
#include "sim_memory.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A raw end of the line, as a program would open it.
class RawPort {
public:
    explicit RawPort(const QString &path)
        : m_fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY)) {
        if (m_fd >= 0) {
            termios settings{};
            ::tcgetattr(m_fd, &settings);
            ::cfmakeraw(&settings);
            ::tcsetattr(m_fd, TCSANOW, &settings);
        }
    }
    ~RawPort() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RawPort(const RawPort &) = delete;
    RawPort &operator=(const RawPort &) = delete;

    [[nodiscard]] bool isOpen() const { return m_fd >= 0; }
    void send(const QByteArray &bytes) {
        ASSERT_EQ(::write(m_fd, bytes.constData(), bytes.size()), bytes.size());
    }
    // Up to count bytes, or fewer when the line stays quiet for 500 ms.
    QByteArray receive(int count) {
        QByteArray out;
        while (out.size() < count) {
            pollfd fd{m_fd, POLLIN, 0};
            if (::poll(&fd, 1, 500) <= 0)
                break;
            char buffer[64];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            out.append(buffer, n);
        }
        return out;
    }

private:
    int m_fd;
};

TEST(EcuSimRunner, AnswersOnItsLinkAndRemovesTheLinkWhenStopped) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("ttyECU"));
    EcuSimConfig config;
    config.linkPath = link;
    EcuSimRunner sim(defaultSimMemory(), config);
    ASSERT_TRUE(sim.isRunning()) << sim.errorString().toStdString();
    EXPECT_EQ(sim.devicePath(), link);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.slavePath());

    RawPort port(link);
    ASSERT_TRUE(port.isOpen());
    port.send(greetingFrame(HandshakeStage::B));
    EXPECT_EQ(port.receive(19), greetingFrame(HandshakeStage::B) + answerFrame(HandshakeStage::B));

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
    RawPort port(sim.slavePath());
    ASSERT_TRUE(port.isOpen());
    QElapsedTimer clock;
    clock.start();
    port.send(greetingFrame(HandshakeStage::B));
    EXPECT_EQ(port.receive(19).size(), 19);
    EXPECT_GE(clock.nsecsElapsed(), 19 * EcuSimRunner::ByteTimeNs);
}

} // namespace
