#include "cell_arithmetic.h"

#include "cell_values.h"
#include "change_cells.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

// Beyond these every cell but an IG 0deg leaves the range; they keep the arithmetic in range.
constexpr double LargestScale = 100000.0; // percent
constexpr double LargestAdd = 1000.0;
constexpr long long Hundredths = 100;
constexpr long long Whole = 100 * Hundredths; // 100 % in hundredths of a percent

QString signedNumber(const QString &number, bool negative, bool zero) {
    return (zero ? QString() : negative ? QStringLiteral("-") : QStringLiteral("+")) + number;
}

// "+5%", "-30.5%", "+0.25%".
QString scaleText(int hundredths) {
    QString number = QString::number(std::abs(hundredths) / double(Hundredths), 'f', 2);
    while (number.endsWith(QLatin1Char('0')))
        number.chop(1);
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    return signedNumber(number, hundredths < 0, hundredths == 0) + QStringLiteral("%");
}

// "+3%", "-2deg".
QString addText(MapKind map, int amount) {
    return signedNumber(QString::number(std::abs(amount)), amount < 0, amount == 0) +
           (map == MapKind::Fi ? QStringLiteral("%") : QStringLiteral("deg"));
}

QString amountText(MapKind map, CellArithmetic arithmetic) {
    return arithmetic.kind == Arithmetic::Scale ? scaleText(arithmetic.amount)
                                                : addText(map, arithmetic.amount);
}

int result(MapKind map, int value, CellArithmetic arithmetic) {
    if (arithmetic.kind == Arithmetic::Add)
        return value + arithmetic.amount;
    const long long factor = Whole + arithmetic.amount;
    if (map == MapKind::Ig)
        return static_cast<int>(roundedQuotient(value * factor, Whole));
    // The fuel amount (100 % + trim) scales; the trim is what is left above 100 %.
    const long long percent = 100;
    return static_cast<int>(roundedQuotient((percent + value) * factor - percent * Whole, Whole));
}

QString cellsText(int count) {
    return count == 1 ? QStringLiteral("1 cell") : QStringLiteral("%1 cells").arg(count);
}

// "2 would pass +30%" (preview) or "2 cells would pass +30%" (message), for both ends.
QString passingText(MapKind map, const ArithmeticOutcome &outcome, bool withCells) {
    const ValueRange range = editorRange(map);
    QStringList parts;
    for (const auto &[count, limit] : {std::pair{outcome.aboveRange, range.highest},
                                       std::pair{outcome.belowRange, range.lowest}}) {
        if (count > 0)
            parts << QStringLiteral("%1 would pass %2")
                         .arg(withCells ? cellsText(count) : QString::number(count),
                              cellText(map, cellByte(map, limit)));
    }
    return parts.join(withCells ? QStringLiteral(" and ") : QStringLiteral(", "));
}

QString notANumber(const QString &typed) {
    return QStringLiteral("\"%1\" is not a number").arg(typed.trimmed());
}

} // namespace

CellBlock wholeMap() {
    return {1, ThRows, 1, NeColumns};
}

std::optional<CellArithmetic> parseArithmetic(Arithmetic kind, MapKind map, const QString &typed) {
    // A scale is a percentage on either map.
    const std::optional<double> number =
        parseCellNumber(kind == Arithmetic::Scale ? MapKind::Fi : map, typed);
    if (!number)
        return std::nullopt;
    if (kind == Arithmetic::Scale) {
        const double percent = std::clamp(*number, -LargestScale, LargestScale);
        return CellArithmetic{kind, static_cast<int>(std::round(percent * Hundredths))};
    }
    return CellArithmetic{
        kind, static_cast<int>(std::round(std::clamp(*number, -LargestAdd, LargestAdd)))};
}

ArithmeticOutcome arithmeticOutcome(MapKind map, const EcuTables &tables, const CellBlock &block,
                                    CellArithmetic arithmetic) {
    const ValueRange range = editorRange(map);
    ArithmeticOutcome outcome;
    forEachCell(block, [&](int row, int column) {
        const int value = tableValue(map, tables, row, column);
        const int after = result(map, value, arithmetic);
        if (after == value)
            return;
        if (after > range.highest)
            ++outcome.aboveRange;
        else if (after < range.lowest)
            ++outcome.belowRange;
        else
            outcome.changes.emplace_back(cellNumber(row, column), cellByte(map, after));
    });
    return outcome;
}

QString arithmeticPreview(Arithmetic kind, MapKind map, const EcuTables &tables,
                          const CellBlock &block, const QString &typed) {
    if (typed.trimmed().isEmpty())
        return {};
    const std::optional<CellArithmetic> arithmetic = parseArithmetic(kind, map, typed);
    if (!arithmetic)
        return notANumber(typed);
    const ArithmeticOutcome outcome = arithmeticOutcome(map, tables, block, *arithmetic);
    const int count = static_cast<int>(outcome.changes.size());
    QString text = count == 0   ? QStringLiteral("No cell changes")
                   : count == 1 ? QStringLiteral("1 cell changes")
                                : QStringLiteral("%1 cells change").arg(count);
    if (outcome.refused())
        text +=
            QStringLiteral(", ") + passingText(map, outcome, false) + QStringLiteral(": refused");
    return text;
}

MapEditResult arithmeticEdit(Arithmetic kind, MapKind map, const EcuTables &tables,
                             const CellBlock &block, const QString &typed) {
    const std::optional<CellArithmetic> arithmetic = parseArithmetic(kind, map, typed);
    if (!arithmetic)
        return {{}, notANumber(typed) + QStringLiteral(". Nothing was changed.")};
    const ArithmeticOutcome outcome = arithmeticOutcome(map, tables, block, *arithmetic);
    const QString amount = amountText(map, *arithmetic);
    if (outcome.refused()) {
        return {{},
                QStringLiteral("The %1 takes values from %2; %3, %4. Nothing was changed.")
                    .arg(mapName(map), rangeText(map),
                         kind == Arithmetic::Scale
                             ? QStringLiteral("scaled by ") + amount
                             : QStringLiteral("with ") + amount + QStringLiteral(" added"),
                         passingText(map, outcome, true))};
    }
    const QString cells = cellsText(static_cast<int>(outcome.changes.size()));
    return {changeCells(map, outcome.changes,
                        kind == Arithmetic::Scale
                            ? QStringLiteral("scale %1 by %2").arg(cells, amount)
                            : QStringLiteral("add %1 to %2").arg(amount, cells)),
            {}};
}
