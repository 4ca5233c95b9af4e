#include "frames.h"

namespace {

const char *const HexDigits = "0123456789ABCDEF";

int hexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

char toChar(std::uint8_t value) {
    return static_cast<char>(value);
}

} // namespace

QString hexText(const QByteArray &bytes) {
    QString text;
    text.reserve(bytes.size() * 3);
    for (char c : bytes) {
        const auto value = static_cast<std::uint8_t>(c);
        text += QLatin1Char(HexDigits[value >> 4]);
        text += QLatin1Char(HexDigits[value & 0x0F]);
        text += QLatin1Char(' ');
    }
    return text;
}

QByteArray bytesOfHexText(const QString &text) {
    const qsizetype count = text.size() / 3;
    QByteArray bytes(count, '\0');
    for (qsizetype i = 0; i < count; ++i) {
        const int high = hexDigitValue(text.at(3 * i));
        const int low = hexDigitValue(text.at(3 * i + 1));
        if (high >= 0 && low >= 0)
            bytes[i] = toChar(static_cast<std::uint8_t>(high * 16 + low));
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
