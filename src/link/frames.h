#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// The frames on the ECU line and their text form. Frames are written down, sent and compared
// as hex text: two upper-case digits and a blank per byte, the blank after the last byte too.
// Every frame ends in a checksum that makes all its bytes sum to 0 modulo 256.

// "82 82 10 06 " for the bytes 0x82 0x82 0x10 0x06.
[[nodiscard]] QString hexText(const QByteArray &bytes);
// The bytes of a hex text the way sendFrameText reads it: (length / 3) bytes, byte i from the two
// characters at 3i and 3i + 1. A pair that is not hexadecimal gives 0.
[[nodiscard]] QByteArray bytesOfHexText(const QString &text);

// (256 - sum mod 256) mod 256 over the given bytes.
[[nodiscard]] std::uint8_t frameChecksum(const QByteArray &bytes);
// The bytes followed by their checksum.
[[nodiscard]] QByteArray withChecksum(QByteArray bytes);
// True when all bytes, checksum included, sum to 0 modulo 256.
[[nodiscard]] bool sumsToZero(const QByteArray &frame);

// Handshake frames: a greeting from the PC (0x27, length 0x0B, 0xE0, payload, checksum) and
// the ECU's answer (0x07, length 0x08, payload, checksum).
constexpr int GreetingLength = 11;
constexpr int AnswerLength = 8;
constexpr std::uint8_t GreetingStart = 0x27;
constexpr std::uint8_t GreetingCommand = 0xE0;
constexpr std::uint8_t AnswerStart = 0x07;
inline const QString GreetingPayloadB = QStringLiteral("3C 5A 91 0E 72 D4 6B");
inline const QString GreetingPayloadC = QStringLiteral("A7 19 E2 58 0C 93 4F");
inline const QString AnswerPayloadB = QStringLiteral("6E 21 B5 7A 08");
inline const QString AnswerPayloadC = QStringLiteral("D1 44 0B 9C 37");

enum class HandshakeStage { B, C };
[[nodiscard]] QByteArray greetingFrame(HandshakeStage stage);
[[nodiscard]] QByteArray answerFrame(HandshakeStage stage);
// The frame for a payload given as text ("3C 5A ..."), e.g. to build a wrong answer.
[[nodiscard]] QByteArray greetingFrameWith(const QByteArray &payload);
[[nodiscard]] QByteArray answerFrameWith(const QByteArray &payload);

// Data frames: 0x82 0x82, the command, the length, the word address, data, checksum.
constexpr std::uint8_t RequestStart = 0x82;
constexpr std::uint8_t ReadCommand = 0x10;
constexpr std::uint8_t WriteCommand = 0x14;
constexpr int ReadRequestLength = 6;
constexpr int ReadReplyLength = 7;
constexpr int WriteRequestLength = 8;
constexpr int WriteAcknowledgeLength = 5;
// Data bytes 1 and 2 of a read reply (counting from 0: bytes 4 and 5).
constexpr int ReplyDataIndex = 4;

[[nodiscard]] QByteArray readRequest(int wordAddress);
[[nodiscard]] QByteArray writeRequest(int wordAddress, std::uint8_t data1, std::uint8_t data2);
// The ECU's reply to a read: four header bytes, the two data bytes, checksum. Only the checksum
// and the data bytes matter to the PC.
[[nodiscard]] QByteArray readReply(std::uint8_t data1, std::uint8_t data2);
inline const QString WriteAcknowledge = QStringLiteral("92 92 14 05 C3 ");
[[nodiscard]] QByteArray writeAcknowledge();

// Word writes go to the marker word first with these bytes, which leaves the marker invalid
// until the last word puts the image's marker back.
constexpr int MarkerWordAddress = 0xFF;
constexpr std::uint8_t InvalidMarker1 = 0x47;
constexpr std::uint8_t InvalidMarker2 = 0x4E;
