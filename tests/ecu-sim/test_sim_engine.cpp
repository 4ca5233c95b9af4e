#include "image/ecu_layout.h"
#include "qt_printers.h"
#include "sim_engine.h"
#include "sim_memory.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t Ms = 1'000'000;

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

class SimEngine : public testing::Test {
protected:
    explicit SimEngine(const SimFaults &faults = {})
        : m_engine(defaultSimMemory(), faults) {}

    // Sends bytes at the current time and moves the clock on by a millisecond.
    QByteArray send(const QByteArray &in) {
        const QByteArray out = m_engine.receive(in, m_now).bytes;
        m_now += Ms;
        return out;
    }
    void pause(std::int64_t ns) { m_now += ns; }

    void handshake() {
        ASSERT_EQ(send(greetingFrame(HandshakeStage::B)),
                  greetingFrame(HandshakeStage::B) + answerFrame(HandshakeStage::B));
        ASSERT_EQ(send(greetingFrame(HandshakeStage::C)),
                  greetingFrame(HandshakeStage::C) + answerFrame(HandshakeStage::C));
    }

    EcuSimEngine m_engine;
    std::int64_t m_now = 1000 * Ms;
};

TEST_F(SimEngine, EchoesEverythingAndAnswersDataOnlyAfterTheHandshake) {
    const QByteArray request = readRequest(0x20);
    EXPECT_EQ(send(request), request); // echo only: not in data mode yet
    EXPECT_EQ(send(greetingFrame(HandshakeStage::C)), greetingFrame(HandshakeStage::C));
    handshake();
    const EcuImage memory = defaultSimMemory();
    EXPECT_EQ(send(request), request + readReply(memory.byte(0), memory.byte(1)));
    EXPECT_EQ(m_engine.stats().handshakes, 1);
    EXPECT_EQ(m_engine.stats().framesIgnored, 2);
}

TEST_F(SimEngine, MalformedFramesAreEchoedAndOtherwiseIgnored) {
    handshake();
    QByteArray badChecksum = readRequest(0x30);
    badChecksum.back() = static_cast<char>(badChecksum.back() + 1);
    const QByteArray wrongLength = withChecksum(bytes({0x82, 0x82, 0x10, 0x07, 0x30, 0x00}));
    const QByteArray outOfRange = readRequest(0x10);
    const QByteArray noise = bytes({0x00, 0x55, 0xFF});
    for (const QByteArray &frame : {badChecksum, wrongLength, outOfRange, noise}) {
        pause(100 * Ms);
        EXPECT_EQ(send(frame), frame) << frame.toHex().toStdString();
    }
    // Still in data mode.
    pause(100 * Ms);
    EXPECT_EQ(send(readRequest(0x30)).size(), ReadRequestLength + ReadReplyLength);
}

TEST_F(SimEngine, AFrameSplitAcrossReadsIsAnsweredOnceComplete) {
    handshake();
    const QByteArray request = writeRequest(0x21, 0x12, 0x34);
    EXPECT_EQ(send(request.first(3)), request.first(3));
    EXPECT_EQ(send(request.sliced(3)), request.sliced(3) + writeAcknowledge());
    EXPECT_EQ(m_engine.memory().byte(2), 0x12);
    EXPECT_EQ(m_engine.memory().byte(3), 0x34);
}

TEST_F(SimEngine, APartialFrameIsDroppedAfterAPause) {
    handshake();
    const QByteArray request = readRequest(0x21);
    (void)send(request.first(4));
    pause(EcuSimEngine::FrameGapNs + Ms);
    const EcuImage memory = defaultSimMemory();
    EXPECT_EQ(send(request), request + readReply(memory.byte(2), memory.byte(3)));
}

TEST_F(SimEngine, TheProtectedAreasKeepTheEcusOwnContents) {
    handshake();
    const EcuImage before = m_engine.memory();
    for (int offset : {ProtectedRowFirst, ProtectedRowLast - 1, ProtectedTailFirst,
                       ProtectedTailLast - 1, 300}) {
        const QByteArray request = writeRequest(EcuImage::wordAddressOf(offset), 0xEE, 0xEE);
        EXPECT_EQ(send(request), request + writeAcknowledge());
    }
    EcuImage expected = before;
    expected.setByte(300, 0xEE);
    expected.setByte(301, 0xEE);
    EXPECT_EQ(m_engine.memory(), expected);
    EXPECT_EQ(m_engine.stats().wordsWritten, 5);
}

class SimEngineFaults : public SimEngine {
protected:
    static SimFaults faults() {
        SimFaults f;
        f.loseEchoByte = FaultPoint{FaultPoint::Kind::DataFrame, 2};
        f.badChecksums = 2;
        f.badChecksumWord = 0x25;
        f.silentAfter = 5;
        f.productCode = QStringLiteral("AB12");
        return f;
    }
    SimEngineFaults()
        : SimEngine(faults()) {}
};

TEST_F(SimEngineFaults, FireWhereTheySayAndTheEcuRecovers) {
    EXPECT_EQ(EcuDataType(m_engine.memory()), QStringLiteral("AB12OK"));
    handshake();
    EXPECT_EQ(send(readRequest(0x20)).size(), 13); // frame 1

    // Frame 2 loses its last byte: five bytes of echo and no answer; the ECU waits for it.
    const QByteArray lost = readRequest(0x21);
    EXPECT_EQ(send(lost), lost.first(5));
    pause(EcuSimEngine::FrameGapNs + Ms);

    // Frames 2 to 4: two bad checksums for word 0x25, then a good reply.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QByteArray out = send(readRequest(0x25));
        ASSERT_EQ(out.size(), 13);
        EXPECT_EQ(sumsToZero(out.sliced(6)), attempt == 2) << attempt;
    }
    EXPECT_EQ(send(readRequest(0x26)).size(), 13); // frame 5

    // Frame 6 finds the cable pulled: the line echoes, the ECU is silent, also for a
    // greeting, until the line has been quiet for a while.
    const QByteArray next = readRequest(0x26);
    EXPECT_EQ(send(next), next);
    EXPECT_EQ(send(greetingFrame(HandshakeStage::B)), greetingFrame(HandshakeStage::B));
    pause(EcuSimEngine::ReplugQuietNs + Ms);
    handshake();
    EXPECT_EQ(send(next).size(), 13);
    // The bad checksums count anew after a handshake.
    EXPECT_FALSE(sumsToZero(send(readRequest(0x25)).sliced(6)));
}

TEST(SimEngineHangup, TheDeviceGoesAwayWithTheFrameAfterTheLastAnswered) {
    SimFaults faults;
    faults.hangupAfter = 1;
    EcuSimEngine engine(defaultSimMemory(), faults);
    (void)engine.receive(greetingFrame(HandshakeStage::B), 0);
    (void)engine.receive(greetingFrame(HandshakeStage::C), Ms);
    EXPECT_FALSE(engine.receive(readRequest(0x20), 2 * Ms).hangup);
    EXPECT_TRUE(engine.receive(readRequest(0x21), 3 * Ms).hangup);
    EXPECT_FALSE(engine.receive(readRequest(0x21), 4 * Ms).hangup);
}

} // namespace
