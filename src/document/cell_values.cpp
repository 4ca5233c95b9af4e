#include "cell_values.h"

#include "change_cells.h"

#include <cmath>

int cellValue(MapKind kind, std::uint8_t byte) {
    if (kind == MapKind::Fi)
        return byte - 100;
    return byte >= 128 ? byte - 256 : byte;
}

std::uint8_t cellByte(MapKind kind, int value) {
    return static_cast<std::uint8_t>((kind == MapKind::Fi ? value + 100 : value) & 0xFF);
}

int tableValue(MapKind kind, const EcuTables &tables, int row, int column) {
    const auto &bytes = kind == MapKind::Fi ? tables.KmapData : tables.IGmapData;
    return cellValue(
        kind, bytes[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)]);
}

ValueRange editorRange(MapKind kind) {
    return kind == MapKind::Fi ? ValueRange{-30, 30} : ValueRange{-20, 3};
}

QString rangeText(MapKind kind) {
    const ValueRange range = editorRange(kind);
    return cellText(kind, cellByte(kind, range.lowest)) + QStringLiteral(" to ") +
           cellText(kind, cellByte(kind, range.highest));
}

std::optional<double> parseCellNumber(MapKind kind, const QString &text) {
    return parseNumber(text, kind == MapKind::Fi ? QStringLiteral("%") : QStringLiteral("deg"));
}

std::optional<double> parseNumber(const QString &text, const QString &unit) {
    QString number = text.trimmed();
    if (!unit.isEmpty() && number.endsWith(unit, Qt::CaseInsensitive))
        number = number.chopped(unit.size()).trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    // Only a sign, digits and one point: no exponents, no "inf" or "nan".
    bool digits = false;
    for (qsizetype i = 0; i < number.size(); ++i) {
        const QChar c = number[i];
        digits = digits || c.isDigit();
        if (!c.isDigit() && c != QLatin1Char('.') &&
            !(i == 0 && (c == QLatin1Char('+') || c == QLatin1Char('-'))))
            return std::nullopt;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !digits)
        return std::nullopt;
    return value;
}

std::optional<int> storableValue(MapKind kind, double number) {
    const double rounded = std::round(number);
    const ValueRange range = editorRange(kind);
    if (!(rounded >= range.lowest && rounded <= range.highest))
        return std::nullopt;
    return static_cast<int>(rounded);
}

long long roundedQuotient(long long numerator, long long denominator) {
    const long long away =
        (2 * (numerator < 0 ? -numerator : numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -away : away;
}
