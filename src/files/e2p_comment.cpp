#include "e2p_comment.h"

#include <QStringDecoder>
#include <array>

namespace {

// 0x80 to 0x9F; the five bytes Windows-1252 leaves undefined keep their Latin-1 code points.
constexpr std::array<char16_t, 32> Windows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The text as a plain-text box gives it back.
QString asBoxGivesItBack(const QString &text) {
    QString out;
    out.reserve(text.size());
    const auto lineEnd = [&out] { out += QStringLiteral("\r\n"); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        switch (c) {
        case u'\r':
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            lineEnd();
            break;
        case u'\n':
        case 0x2028: // line separator
        case 0x2029: // paragraph separator
        case 0xFDD0: // the text document's frame marks
        case 0xFDD1:
            lineEnd();
            break;
        case 0x00A0: // no-break space
            out += QLatin1Char(' ');
            break;
        default:
            out += QChar(c);
        }
    }
    return out;
}

QString fromWindows1252(const QByteArray &bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text += QChar(b >= 0x80 && b <= 0x9F ? Windows1252High.at(b - 0x80u) : char16_t{b});
    }
    return text;
}

} // namespace

E2PComment E2PComment::fromBytes(const QByteArray &bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = fromWindows1252(bytes);
    return {bytes, text};
}

E2PComment E2PComment::fromText(const QString &text) {
    return {text.toUtf8(), text};
}

E2PComment E2PComment::toSave(const QString &boxText) const {
    if (boxText == m_text || asBoxGivesItBack(boxText) == asBoxGivesItBack(m_text))
        return *this;
    return fromText(boxText);
}
