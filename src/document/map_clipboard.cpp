#include "map_clipboard.h"

#include "cell_place.h"
#include "cell_values.h"
#include "change_cells.h"

#include <QRegularExpression>

namespace {

const QString NothingPasted = QStringLiteral(" Nothing was pasted.");

// The text's rows of fields; blank lines at the end (a spreadsheet's last line end) dropped.
QList<QStringList> rowsOf(const QString &text) {
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
        lines.removeLast();
    QList<QStringList> rows;
    for (const QString &line : lines)
        rows << line.split(QLatin1Char('\t'));
    return rows;
}

// "1 row", "3 rows".
QString counted(qsizetype count, const QString &thing) {
    return QStringLiteral("%1 %2%3").arg(count).arg(thing,
                                                    count == 1 ? QString() : QStringLiteral("s"));
}

} // namespace

QString copyCells(MapKind kind, const EcuTables &tables, const CellBlock &block) {
    QString text;
    for (int row = block.lastRow; row >= block.firstRow; --row) {
        QStringList values;
        for (int column = block.firstColumn; column <= block.lastColumn; ++column)
            values << QString::number(tableValue(kind, tables, row, column));
        text += values.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

MapEditResult pasteCells(MapKind kind, const EcuTables &tables, const QString &text,
                         const CellBlock &target) {
    const QList<QStringList> rows = rowsOf(text);
    if (rows.isEmpty() ||
        (rows.size() == 1 && rows[0].size() == 1 && rows[0][0].trimmed().isEmpty()))
        return {{}, QStringLiteral("The clipboard holds no values to paste.")};
    for (qsizetype i = 1; i < rows.size(); ++i) {
        if (rows[i].size() != rows[0].size()) {
            return {{},
                    QStringLiteral("Row %1 of the pasted block has %2, row 1 has %3.")
                            .arg(i + 1)
                            .arg(counted(rows[i].size(), QStringLiteral("value")),
                                 QString::number(rows[0].size())) +
                        NothingPasted};
        }
    }
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows[0].size());
    const bool fill = height == 1 && width == 1;
    const CellBlock block = fill ? target
                                 : CellBlock{target.lastRow - height + 1, target.lastRow,
                                             target.firstColumn, target.firstColumn + width - 1};
    if (block.firstRow < 1 || block.lastColumn > NeColumns) {
        return {
            {},
            QStringLiteral("The pasted block of %1 and %2 does not fit in the %3 with its "
                           "top left cell at %4: from there the map has %5 down and %6 to "
                           "the right.")
                    .arg(counted(height, QStringLiteral("row")),
                         counted(width, QStringLiteral("column")), mapName(kind),
                         cellPlaceText(tables, block.lastRow, block.firstColumn),
                         counted(block.lastRow, QStringLiteral("TH row")),
                         counted(NeColumns - block.firstColumn + 1, QStringLiteral("NE column"))) +
                NothingPasted};
    }
    std::vector<std::pair<int, std::uint8_t>> cells;
    for (int line = 0; line < height; ++line) {
        for (int field = 0; field < width; ++field) {
            const QString &given = rows[line][field];
            const int row = block.lastRow - line;
            const int column = block.firstColumn + field;
            const QString where = QStringLiteral("in row %1, column %2 of the pasted block (%3)")
                                      .arg(line + 1)
                                      .arg(field + 1)
                                      .arg(cellPlaceText(tables, row, column));
            const std::optional<double> number = parseCellNumber(kind, given);
            if (!number) {
                return {{},
                        QStringLiteral("The value \"%1\" %2 is not a number.")
                                .arg(given.trimmed(), where) +
                            NothingPasted};
            }
            const std::optional<int> value = storableValue(kind, *number);
            if (!value) {
                return {{},
                        QStringLiteral("The value %1 %2 is outside the range of the %3, %4.")
                                .arg(given.trimmed(), where, mapName(kind), rangeText(kind)) +
                            NothingPasted};
            }
            cells.emplace_back(cellNumber(row, column), cellByte(kind, *value));
        }
    }
    if (fill) {
        const std::uint8_t value = cells[0].second;
        cells.clear();
        forEachCell(block, [&](int row, int column) {
            cells.emplace_back(cellNumber(row, column), value);
        });
    }
    return {changeCells(kind, cells, QStringLiteral("paste %1 cells").arg(blockSize(block))), {}};
}
