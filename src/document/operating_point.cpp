#include "operating_point.h"

#include "cell_values.h"
#include "difference_texts.h"

#include <QStringList>
#include <vector>

AxisBracket bracketOnAxis(std::span<const int> points, int value) {
    const int count = static_cast<int>(points.size());
    const auto at = [&points](int point) { return points[static_cast<std::size_t>(point - 1)]; };
    AxisBracket bracket;
    for (int i = 2; i <= count && bracket.notRisingAt == 0; ++i) {
        if (at(i) <= at(i - 1))
            bracket.notRisingAt = i;
    }
    if (value <= at(1)) {
        if (value < at(1))
            bracket.clampedTo = at(1);
        return bracket; // points 1 and 2, all of point 1
    }
    // Every point below i lies at or below the value, so point i - 1 does too: a point found
    // above the value always has a lower neighbour below it.
    for (int i = 2; i <= count; ++i) {
        if (value < at(i)) {
            bracket.lower = i - 1;
            bracket.upper = i;
            bracket.toUpper =
                static_cast<double>(value - at(i - 1)) / static_cast<double>(at(i) - at(i - 1));
            return bracket;
        }
    }
    bracket.lower = count - 1;
    bracket.upper = count;
    bracket.toUpper = 1.0;
    if (value > at(count))
        bracket.clampedTo = at(count);
    return bracket;
}

namespace {

double interpolated(MapKind kind, const EcuTables &tables, const AxisBracket &ne,
                    const AxisBracket &th) {
    const auto value = [&](int row, int column) {
        return static_cast<double>(tableValue(kind, tables, row, column));
    };
    const double lowerRow =
        value(th.lower, ne.lower) * (1.0 - ne.toUpper) + value(th.lower, ne.upper) * ne.toUpper;
    const double upperRow =
        value(th.upper, ne.lower) * (1.0 - ne.toUpper) + value(th.upper, ne.upper) * ne.toUpper;
    return lowerRow * (1.0 - th.toUpper) + upperRow * th.toUpper;
}

} // namespace

OperatingPointReading readOperatingPoint(const EcuTables &tables, int engineSpeed, int throttle) {
    std::vector<int> speeds;
    for (const std::int32_t point : tables.NeData)
        speeds.push_back(point * 100);
    const std::vector<int> openings(tables.ThData.cbegin(), tables.ThData.cend());
    OperatingPointReading reading;
    reading.ne = bracketOnAxis(speeds, engineSpeed);
    reading.th = bracketOnAxis(openings, throttle);
    reading.cells = {reading.th.lower, reading.th.upper, reading.ne.lower, reading.ne.upper};
    reading.fi = interpolated(MapKind::Fi, tables, reading.ne, reading.th);
    reading.ig = interpolated(MapKind::Ig, tables, reading.ne, reading.th);
    return reading;
}

QString operatingPointText(const OperatingPointReading &reading) {
    QString text =
        QStringLiteral("Fi %1%, IG %2deg").arg(signedTenths(reading.fi), signedTenths(reading.ig));
    QStringList clamps;
    if (reading.ne.clampedTo)
        clamps << QStringLiteral("%1 r/min").arg(*reading.ne.clampedTo);
    if (reading.th.clampedTo)
        clamps << QStringLiteral("%1%").arg(*reading.th.clampedTo);
    QStringList notes;
    if (!clamps.isEmpty())
        notes << QStringLiteral("clamped to ") + clamps.join(QStringLiteral(", "));
    if (reading.ne.notRisingAt)
        notes << QStringLiteral("NE axis not rising at point %1").arg(reading.ne.notRisingAt);
    if (reading.th.notRisingAt)
        notes << QStringLiteral("TH axis not rising at point %1").arg(reading.th.notRisingAt);
    if (!notes.isEmpty())
        text += QStringLiteral(" (") + notes.join(QStringLiteral("; ")) + QLatin1Char(')');
    return text;
}
