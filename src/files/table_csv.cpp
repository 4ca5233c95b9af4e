#include "table_csv.h"

#include "files/csv_text.h"

namespace {

constexpr CsvTable Tables[] = {CsvTable::Fi, CsvTable::Ig, CsvTable::Ru};

// A display value as a plain signed number: "+5", "-3", "0".
QString signedNumber(int value) {
    return value > 0 ? QStringLiteral("+%1").arg(value) : QString::number(value);
}

int signedByte(std::uint8_t b) {
    return b >= 128 ? b - 256 : b;
}

// The rows a table has in the file, the axis row included.
int rowsOf(CsvTable table) {
    return table == CsvTable::Ru ? 2 : 1 + ThRows;
}

} // namespace

QString csvTableName(CsvTable table) {
    switch (table) {
    case CsvTable::Fi:
        return QStringLiteral("Fi map");
    case CsvTable::Ig:
        return QStringLiteral("IG map");
    case CsvTable::Ru:
        break;
    }
    return QStringLiteral("RU map");
}

std::optional<CsvTable> csvTableNamed(const QString &name) {
    for (const CsvTable table : Tables) {
        if (name.compare(csvTableName(table).section(u' ', 0, 0), Qt::CaseInsensitive) == 0)
            return table;
    }
    return std::nullopt;
}

QByteArray tableCsv(CsvTable table, const EcuTables &tables) {
    QList<QStringList> rows(rowsOf(table), QStringList(1 + NeColumns));
    rows[0][0] = csvTableName(table);
    for (int point = 1; point <= NePoints; ++point)
        rows[0][point] = QString::number(tables.NeData[static_cast<std::size_t>(point - 1)] * 100);
    if (table == CsvTable::Ru) {
        for (int point = 1; point <= RuPoints; ++point)
            rows[1][point] =
                signedNumber(signedByte(tables.RuadjData[static_cast<std::size_t>(point - 1)]));
        return csvText(rows);
    }
    const auto &cells = table == CsvTable::Fi ? tables.KmapData : tables.IGmapData;
    for (int row = 1; row <= ThRows; ++row) {
        const auto at = static_cast<std::size_t>(row - 1);
        QStringList &fields = rows[thPointPlace(row).row - 1];
        fields[0] = QString::number(tables.ThData[at]);
        for (int column = 1; column <= NeColumns; ++column) {
            const std::uint8_t b = cells[at][static_cast<std::size_t>(column - 1)];
            fields[column] = signedNumber(table == CsvTable::Fi ? b - 100 : signedByte(b));
        }
    }
    return csvText(rows);
}

CsvPlace nePointPlace(int point) {
    return {1, 1 + point};
}

CsvPlace thPointPlace(int point) {
    return {2 + ThRows - point, 1};
}

CsvPlace valuePlace(CsvTable table, int row, int column) {
    return {table == CsvTable::Ru ? 2 : thPointPlace(row).row, 1 + column};
}

TableCsvFields tableCsvFields(CsvTable table, const QByteArray &contents, const QString &fileName) {
    TableCsvFields fields;
    const CsvRows csv = parseCsv(contents);
    if (!csv.error.isEmpty()) {
        fields.refusal = QStringLiteral("%1 is no CSV table: %2").arg(fileName, csv.error);
        fields.refusal += NothingImported;
        return fields;
    }
    const QList<QStringList> &rows = csv.rows;
    const QString name = csvTableName(table);
    const QString corner = rows.isEmpty() ? QString() : rows[0].value(0);
    for (const CsvTable other : Tables) {
        if (other != table && corner.compare(csvTableName(other), Qt::CaseInsensitive) == 0) {
            fields.refusal = QStringLiteral("%1 holds the %2, not the %3.")
                                 .arg(fileName, csvTableName(other), name) +
                             NothingImported;
            return fields;
        }
    }
    const int expectedRows = rowsOf(table);
    if (rows.size() != expectedRows) {
        fields.refusal =
            QStringLiteral("%1 has %2 rows; a table of the %3 has %4: %5.")
                .arg(fileName)
                .arg(rows.size())
                .arg(name)
                .arg(expectedRows)
                .arg(table == CsvTable::Ru ? QStringLiteral("the NE axis and the RU points")
                                           : QStringLiteral("the NE axis and a row per TH point")) +
            NothingImported;
        return fields;
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i].size() != 1 + NeColumns) {
            fields.refusal = QStringLiteral("Row %1 of %2 has %3 fields; every row of a table of "
                                            "the %4 has %5.")
                                 .arg(i + 1)
                                 .arg(fileName)
                                 .arg(rows[i].size())
                                 .arg(name)
                                 .arg(1 + NeColumns) +
                             NothingImported;
            return fields;
        }
    }
    fields.ne = rows[0].mid(1);
    if (table == CsvTable::Ru) {
        fields.values << rows[1].mid(1);
        return fields;
    }
    for (int row = 1; row <= ThRows; ++row) {
        const QStringList &line = rows[thPointPlace(row).row - 1];
        fields.th << line[0];
        fields.values << line.mid(1);
    }
    return fields;
}
