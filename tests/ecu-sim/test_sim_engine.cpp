#include "qt_printers.h"
#include "sim_engine.h"
#include "sim_memory.h"

#include <gtest/gtest.h>

// What the link tests do not show of the line: which frames the ECU leaves unanswered, frames
// that arrive in pieces, and the faults the link cannot tell from simpler ones.
namespace {

constexpr std::int64_t Ms = 1'000'000;

class SimEngine : public testing::Test {
protected:
    // Sends bytes after a pause (by default a millisecond) and returns what comes back.
    QByteArray send(const QByteArray &in, std::int64_t pauseNs = Ms) {
        m_now += pauseNs;
        m_sent += in.size();
        return m_engine.receive(in, m_now).bytes;
    }

    void handshake() {
        for (HandshakeStage stage : {HandshakeStage::B, HandshakeStage::C})
            ASSERT_EQ(send(greetingFrame(stage)), greetingFrame(stage) + answerFrame(stage));
    }

    // Whether a read of the word gets, after its echo, a reply with a right checksum.
    bool replyIsGood(int address) {
        const QByteArray out = send(readRequest(address));
        EXPECT_EQ(out.size(), ReadRequestLength + ReadReplyLength) << address;
        return out.size() == ReadRequestLength + ReadReplyLength &&
               sumsToZero(out.sliced(ReadRequestLength));
    }

    EcuSimEngine m_engine{defaultSimMemory(), {}};
    std::int64_t m_now = 1000 * Ms;
    qint64 m_sent = 0;
};

TEST_F(SimEngine, EchoesEverythingAndAnswersOnlyWholeRightFramesAfterTheHandshake) {
    const QByteArray request = readRequest(0x20);
    QByteArray badChecksum = readRequest(0x30);
    badChecksum.back() = static_cast<char>(badChecksum.back() + 1);
    // Before the handshake: no data, and no stage C without stage B.
    for (const QByteArray &frame : {request, greetingFrame(HandshakeStage::C)})
        EXPECT_EQ(send(frame), frame) << frame.toHex().toStdString();
    EXPECT_EQ(m_engine.stats().framesIgnored, 2);
    handshake();
    // After it: a wrong checksum, length or address, or noise, gets no answer either.
    for (const QByteArray &frame : {badChecksum, withChecksum(QByteArray::fromHex("828210073000")),
                                    readRequest(0x10), QByteArray::fromHex("0055FF")})
        EXPECT_EQ(send(frame, 100 * Ms), frame) << frame.toHex().toStdString();
    // A right frame is answered once complete, also when it comes in pieces.
    const EcuImage memory = defaultSimMemory();
    EXPECT_EQ(send(request.first(3), 100 * Ms), request.first(3));
    EXPECT_EQ(send(request.sliced(3)),
              request.sliced(3) + readReply(memory.byte(0), memory.byte(1)));
    EXPECT_EQ(m_engine.stats().handshakes, 1);
    EXPECT_EQ(m_engine.stats().bytesReceived, m_sent);
}

// Faults the link tests cannot tell from simpler ones: bad checksums for one word only and
// counted per handshake, and a pulled cable that a greeting does not end.
TEST_F(SimEngine, FaultsFireWhereTheySayAndTheEcuRecovers) {
    SimFaults faults;
    faults.badChecksums = 2;
    faults.badChecksumWord = 0x25;
    faults.silentAfter = 4;
    m_engine.setFaults(faults);
    handshake();
    EXPECT_TRUE(replyIsGood(0x20)); // frame 1
    // Frames 2 to 4: two bad checksums for word 0x25, then a good reply.
    EXPECT_FALSE(replyIsGood(0x25));
    EXPECT_FALSE(replyIsGood(0x25));
    EXPECT_TRUE(replyIsGood(0x25));

    // Frame 5 finds the cable pulled: the line echoes, the ECU is silent, also for a
    // greeting, until the line has been quiet for a while.
    const QByteArray next = readRequest(0x26);
    EXPECT_EQ(send(next), next);
    EXPECT_EQ(send(greetingFrame(HandshakeStage::B)), greetingFrame(HandshakeStage::B));
    m_now += EcuSimEngine::ReplugQuietNs;
    handshake();
    EXPECT_TRUE(replyIsGood(0x26));
    // The bad checksums count anew after a handshake.
    EXPECT_FALSE(replyIsGood(0x25));
}

TEST_F(SimEngine, TheDeviceGoesAwayWithTheFrameAfterTheLastAnswered) {
    SimFaults faults;
    faults.hangupAfter = 1;
    m_engine.setFaults(faults);
    handshake();
    for (const bool hangup : {false, true, false})
        EXPECT_EQ(m_engine.receive(readRequest(0x21), m_now += Ms).hangup, hangup);
}

} // namespace
