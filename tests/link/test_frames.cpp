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

TEST(HexText, TwoUpperCaseDigitsAndABlankPerByte) {
    EXPECT_EQ(hexText(bytes({0x0B})), QStringLiteral("0B "));
    EXPECT_EQ(hexText(bytes({0x82, 0x82, 0x10, 0x06})), QStringLiteral("82 82 10 06 "));
    EXPECT_EQ(hexText(bytes({0x00, 0xff, 0xa5})), QStringLiteral("00 FF A5 "));
    EXPECT_EQ(hexText({}), QString());
}

struct ParseCase {
    const char *text;
    QByteArray expected;
};

class HexTextParsing : public testing::TestWithParam<ParseCase> {};

TEST_P(HexTextParsing, ReadsOneBytePerThreeCharacters) {
    EXPECT_EQ(bytesOfHexText(QLatin1String(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(TxCommand, HexTextParsing,
                         testing::Values(ParseCase{"82 82 10 06 ", bytes({0x82, 0x82, 0x10, 0x06})},
                                         ParseCase{"0b ff ", bytes({0x0B, 0xFF})},
                                         // The blank after the last byte is part of the text:
                                         // without it the last byte is not sent.
                                         ParseCase{"82 82", bytes({0x82})},
                                         ParseCase{"", QByteArray()},
                                         ParseCase{"ZZ 01 ", bytes({0x00, 0x01})}));

struct ChecksumCase {
    QByteArray bytes;
    int checksum;
};

class Checksum : public testing::TestWithParam<ChecksumCase> {};

TEST_P(Checksum, MakesTheFrameSumToZero) {
    const ChecksumCase &c = GetParam();
    EXPECT_EQ(frameChecksum(c.bytes), c.checksum);
    EXPECT_TRUE(sumsToZero(withChecksum(c.bytes)));
}

INSTANTIATE_TEST_SUITE_P(
    WorkedChecks, Checksum,
    testing::Values(ChecksumCase{bytes({0x92, 0x92, 0x14, 0x05}), 0xC3},
                    ChecksumCase{bytes({0x82, 0x82, 0x14, 0x08, 0xFF, 0x47, 0x4E}), 0x4C},
                    ChecksumCase{bytes({0x80, 0x80}), 0x00}, ChecksumCase{bytes({0x01}), 0xFF},
                    ChecksumCase{bytes({0xFF, 0xFF, 0xFF}), 0x03}));

TEST(Frames, HandshakeFramesCarryTheirPayloads) {
    EXPECT_EQ(hexText(greetingFrame(HandshakeStage::B)),
              QStringLiteral("27 0B E0 3C 5A 91 0E 72 D4 6B ") +
                  hexText(bytes({frameChecksum(
                      bytes({0x27, 0x0B, 0xE0, 0x3C, 0x5A, 0x91, 0x0E, 0x72, 0xD4, 0x6B}))})));
    for (HandshakeStage stage : {HandshakeStage::B, HandshakeStage::C}) {
        const QByteArray greeting = greetingFrame(stage);
        const QByteArray answer = answerFrame(stage);
        EXPECT_EQ(greeting.size(), GreetingLength);
        EXPECT_EQ(answer.size(), AnswerLength);
        EXPECT_TRUE(sumsToZero(greeting));
        EXPECT_TRUE(sumsToZero(answer));
    }
    EXPECT_TRUE(hexText(greetingFrame(HandshakeStage::C))
                    .startsWith(QStringLiteral("27 0B E0 A7 19 E2 58 0C 93 4F ")));
    EXPECT_TRUE(hexText(answerFrame(HandshakeStage::B))
                    .startsWith(QStringLiteral("07 08 6E 21 B5 7A 08 ")));
    EXPECT_TRUE(hexText(answerFrame(HandshakeStage::C))
                    .startsWith(QStringLiteral("07 08 D1 44 0B 9C 37 ")));
}

TEST(Frames, DataRequests) {
    EXPECT_EQ(hexText(readRequest(0x20)),
              QStringLiteral("82 82 10 06 20 ") + hexText(bytes({(256 - 0x13A % 256) % 256})));
    EXPECT_EQ(hexText(writeRequest(MarkerWordAddress, InvalidMarker1, InvalidMarker2)),
              QStringLiteral("82 82 14 08 FF 47 4E 4C "));
    EXPECT_EQ(hexText(writeAcknowledge()), WriteAcknowledge);
    EXPECT_EQ(WriteAcknowledge, QStringLiteral("92 92 14 05 C3 "));
    const QByteArray reply = readReply(0x12, 0xAB);
    ASSERT_EQ(reply.size(), ReadReplyLength);
    EXPECT_TRUE(sumsToZero(reply));
    EXPECT_EQ(static_cast<std::uint8_t>(reply.at(ReplyDataIndex)), 0x12);
    EXPECT_EQ(static_cast<std::uint8_t>(reply.at(ReplyDataIndex + 1)), 0xAB);
}

} // namespace
