#include "difference_texts.h"

#include "cell_values.h"
#include "change_cells.h"

#include <cmath>

QString signedTenths(double value) {
    const double tenths = std::round(value * 10.0);
    if (tenths == 0.0)
        return QStringLiteral("0.0");
    return (tenths > 0 ? QStringLiteral("+") : QString()) + QString::number(tenths / 10.0, 'f', 1);
}

QString differenceText(MapKind kind, std::uint8_t ours, std::uint8_t theirs, CellTexts shown) {
    if (shown == CellTexts::Values)
        return cellText(kind, ours);
    const QString unit = kind == MapKind::Fi ? QStringLiteral("%") : QStringLiteral("deg");
    if (shown == CellTexts::PercentDifference && kind == MapKind::Fi) {
        // The byte is the fuel amount in percent of the base amount.
        if (theirs == 0)
            return ours == 0 ? QStringLiteral("0.0%") : QStringLiteral("n/a");
        return signedTenths((static_cast<double>(ours) / theirs - 1.0) * 100.0) + unit;
    }
    const int difference = cellValue(kind, ours) - cellValue(kind, theirs);
    return (difference > 0 ? QStringLiteral("+") : QString()) + QString::number(difference) + unit;
}
