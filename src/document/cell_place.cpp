#include "cell_place.h"

namespace {

// "20" for one point, "20–40" for a span of points.
QString span(const QString &first, const QString &last, bool onePoint) {
    return onePoint ? first : first + QChar(0x2013) + last;
}

QString thText(const EcuTables &tables, int row) {
    return tables.ThText[static_cast<std::size_t>(row - 1)];
}

QString neText(const EcuTables &tables, int column) {
    return tables.NeText[static_cast<std::size_t>(column - 1)];
}

} // namespace

QString cellPlaceText(const EcuTables &tables, int row, int column) {
    return blockPlaceText(tables, {row, row, column, column});
}

QString blockPlaceText(const EcuTables &tables, const CellBlock &block) {
    return QStringLiteral("TH %1 %, %2 r/min")
        .arg(span(thText(tables, block.firstRow), thText(tables, block.lastRow), block.rows() == 1),
             span(neText(tables, block.firstColumn), neText(tables, block.lastColumn),
                  block.columns() == 1));
}
