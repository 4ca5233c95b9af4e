#include "link/frames.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// Two upper-case digits and a blank per byte. Read back, a byte comes from each three
// characters: without the blank after it the last byte is not sent, and a pair that is no
// hex number gives 0.
TEST(HexText, WritesAndReadsOneBytePerThreeCharacters) {
    const QByteArray frame = bytes({0x0B, 0x82, 0x00, 0xFF, 0xA5});
    EXPECT_EQ(hexText(frame), QStringLiteral("0B 82 00 FF A5 "));
    EXPECT_EQ(hexText({}), QString());
    const std::pair<const char *, QByteArray> texts[] = {{"0B 82 00 FF A5 ", frame},
                                                         {"", QByteArray()},
                                                         {"0b ff ", bytes({0x0B, 0xFF})},
                                                         {"82 82", bytes({0x82})},
                                                         {"ZZ 01 ", bytes({0x00, 0x01})}};
    for (const auto &[text, expected] : texts)
        EXPECT_EQ(bytesOfHexText(QLatin1String(text)), expected) << text;
}

// The checksum makes all bytes sum to 0 modulo 256; 0x00 when they already do.
TEST(Frames, ChecksumMakesTheFrameSumToZero) {
    const std::pair<QByteArray, int> cases[] = {
        {bytes({0x80, 0x80}), 0x00}, {bytes({0x01}), 0xFF}, {bytes({0xFF, 0xFF, 0xFF}), 0x03}};
    for (const auto &[frame, checksum] : cases) {
        EXPECT_EQ(frameChecksum(frame), checksum);
        EXPECT_TRUE(sumsToZero(withChecksum(frame)));
    }
}

// The simulator builds its frames with the same functions, so only these spellings catch a
// wrong byte in them.
TEST(Frames, AreTheEcusFramesByteForByte) {
    const std::pair<QByteArray, const char *> frames[] = {
        {greetingFrame(HandshakeStage::B), "27 0B E0 3C 5A 91 0E 72 D4 6B 08 "},
        {greetingFrame(HandshakeStage::C), "27 0B E0 A7 19 E2 58 0C 93 4F 06 "},
        {answerFrame(HandshakeStage::B), "07 08 6E 21 B5 7A 08 2B "},
        {answerFrame(HandshakeStage::C), "07 08 D1 44 0B 9C 37 FE "},
        {readRequest(0x20), "82 82 10 06 20 C6 "},
        {writeRequest(MarkerWordAddress, InvalidMarker1, InvalidMarker2),
         "82 82 14 08 FF 47 4E 4C "},
        {writeAcknowledge(), "92 92 14 05 C3 "}};
    for (const auto &[frame, text] : frames)
        EXPECT_EQ(hexText(frame), QLatin1String(text));

    // Of a read reply the PC looks at the data bytes and the checksum only.
    const QByteArray reply = readReply(0x12, 0xAB);
    EXPECT_EQ(reply.size(), ReadReplyLength);
    EXPECT_TRUE(sumsToZero(reply));
    EXPECT_EQ(reply.mid(ReplyDataIndex, 2), bytes({0x12, 0xAB}));
}

} // namespace
