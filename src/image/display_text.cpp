#include "display_text.h"

namespace {

QString signedText(int value, const QString &prefixPlus, const QString &prefixMinus,
                   const QString &unit) {
    if (value == 0)
        return QStringLiteral("0") + unit;
    if (value < 0)
        return prefixMinus + QString::number(-value) + unit;
    return prefixPlus + QString::number(value) + unit;
}

int asSigned(std::uint8_t b) {
    return b >= 128 ? b - 256 : b;
}

} // namespace

QString fiText(std::uint8_t b) {
    return signedText(b - 100, QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("%"));
}

QString igText(std::uint8_t b) {
    return signedText(asSigned(b), QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("deg"));
}

QString ruText(std::uint8_t b) {
    return signedText(asSigned(b), QStringLiteral(" +"), QStringLiteral(" -"), QStringLiteral("%"));
}

QString ruEditText(std::uint8_t b) {
    return signedText(asSigned(b), QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("%"));
}

QString neText(std::int32_t value) {
    return QString::number(value * 100);
}

QString thText(std::uint8_t b) {
    return QString::number(b);
}

QString speedText(std::uint8_t b) {
    return QString::number(b * 100);
}

QString idleText(std::uint8_t b) {
    return QString::number(b * 200);
}

QString parameterText(ParameterKind kind, std::uint8_t b) {
    switch (kind) {
    case ParameterKind::FiCell:
        return fiText(b);
    case ParameterKind::IgCell:
        return igText(b);
    case ParameterKind::NeAxis:
        return neText(b);
    case ParameterKind::ThAxis:
        return thText(b);
    case ParameterKind::RuPoint:
        return ruEditText(b);
    case ParameterKind::PitLimit:
    case ParameterKind::ShiftNe:
        return speedText(b);
    case ParameterKind::IdleNe:
        break;
    }
    return idleText(b);
}
