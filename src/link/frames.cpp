#include "frames.h"

namespace {

char toChar(std::uint8_t value) {
    return static_cast<char>(value);
}

} // namespace

QString hexText(const QByteArray &bytes) {
    // Qt leaves out the blank after the last byte, which every frame text has.
    return bytes.isEmpty() ? QString() : QString::fromLatin1(bytes.toHex(' ').toUpper() + ' ');
}

QByteArray bytesOfHexText(const QString &text) {
    const QByteArray latin = text.toLatin1();
    QByteArray bytes;
    for (qsizetype at = 0; at + 2 < latin.size(); at += 3) {
        const QByteArray pair = latin.mid(at, 2);
        const QByteArray value = QByteArray::fromHex(pair);
        // fromHex passes over what is no hex digit: only a pair that reads back the same is one.
        bytes.append(value.toHex() == pair.toLower() ? value : QByteArray(1, '\0'));
    }
    return bytes;
}

std::uint8_t frameChecksum(const QByteArray &bytes) {
    unsigned sum = 0;
    for (char c : bytes)
        sum += static_cast<std::uint8_t>(c);
    return static_cast<std::uint8_t>((256 - sum % 256) % 256);
}

QByteArray withChecksum(QByteArray bytes) {
    bytes.append(toChar(frameChecksum(bytes)));
    return bytes;
}

bool sumsToZero(const QByteArray &frame) {
    return !frame.isEmpty() && frameChecksum(frame) == 0;
}

QByteArray greetingFrameWith(const QByteArray &payload) {
    QByteArray frame;
    frame.append(toChar(GreetingStart));
    frame.append(toChar(GreetingLength));
    frame.append(toChar(GreetingCommand));
    frame.append(payload);
    return withChecksum(frame);
}

QByteArray answerFrameWith(const QByteArray &payload) {
    QByteArray frame;
    frame.append(toChar(AnswerStart));
    frame.append(toChar(AnswerLength));
    frame.append(payload);
    return withChecksum(frame);
}

QByteArray greetingFrame(HandshakeStage stage) {
    return greetingFrameWith(bytesOfHexText(
        (stage == HandshakeStage::B ? GreetingPayloadB : GreetingPayloadC) + QLatin1Char(' ')));
}

QByteArray answerFrame(HandshakeStage stage) {
    return answerFrameWith(bytesOfHexText(
        (stage == HandshakeStage::B ? AnswerPayloadB : AnswerPayloadC) + QLatin1Char(' ')));
}

QByteArray readRequest(int wordAddress) {
    QByteArray frame;
    frame.append(toChar(RequestStart));
    frame.append(toChar(RequestStart));
    frame.append(toChar(ReadCommand));
    frame.append(toChar(ReadRequestLength));
    frame.append(toChar(static_cast<std::uint8_t>(wordAddress)));
    return withChecksum(frame);
}

QByteArray writeRequest(int wordAddress, std::uint8_t data1, std::uint8_t data2) {
    QByteArray frame;
    frame.append(toChar(RequestStart));
    frame.append(toChar(RequestStart));
    frame.append(toChar(WriteCommand));
    frame.append(toChar(WriteRequestLength));
    frame.append(toChar(static_cast<std::uint8_t>(wordAddress)));
    frame.append(toChar(data1));
    frame.append(toChar(data2));
    return withChecksum(frame);
}

QByteArray readReply(std::uint8_t data1, std::uint8_t data2) {
    QByteArray frame;
    frame.append(toChar(0x92));
    frame.append(toChar(0x92));
    frame.append(toChar(ReadCommand));
    frame.append(toChar(ReadReplyLength));
    frame.append(toChar(data1));
    frame.append(toChar(data2));
    return withChecksum(frame);
}

QByteArray writeAcknowledge() {
    return bytesOfHexText(WriteAcknowledge);
}
