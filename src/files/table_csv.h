#pragma once

#include "image/ecu_tables.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <optional>

// One table of the calibration as CSV, for spreadsheets. The table's name stands in the first
// field; the NE axis (r/min) follows it across the first row. The Fi and IG maps have one further
// row per TH point, throttle 100 first as the grid shows it: the TH point, then the cells from NE
// column 1 to 16. The RU map has one further row: an empty field, then its 16 points. Values are
// plain numbers in the units the window shows (Fi and RU percent, IG degrees), signed: "+5",
// "-3", "0".

enum class CsvTable { Fi, Ig, Ru };

// "Fi map", "IG map", "RU map".
[[nodiscard]] QString csvTableName(CsvTable table);
// The table a command line names: "fi", "ig" or "ru" (any case).
[[nodiscard]] std::optional<CsvTable> csvTableNamed(const QString &name);

[[nodiscard]] QByteArray tableCsv(CsvTable table, const EcuTables &tables);

// Where a field lies in the file: row and column from 1.
struct CsvPlace {
    int row = 1;
    int column = 1;
};
[[nodiscard]] CsvPlace nePointPlace(int point);
[[nodiscard]] CsvPlace thPointPlace(int point);
// A map cell (TH row, NE column); for the RU map, point column of row 1.
[[nodiscard]] CsvPlace valuePlace(CsvTable table, int row, int column);

// The fields of a table in a CSV file, by what they hold, or why the file holds none.
struct TableCsvFields {
    QStringList ne;            // NE points 1..16
    QStringList th;            // TH points 1..11; none for the RU map
    QList<QStringList> values; // map cells [TH row - 1][NE column - 1]; RU points in row 0
    QString refusal;           // ends in "Nothing was imported."
    [[nodiscard]] bool refused() const { return !refusal.isEmpty(); }
};

// The fields of the table in contents (see parseCsv), read from the file fileName: a file of
// another shape, or one whose first field names another table, is refused.
[[nodiscard]] TableCsvFields tableCsvFields(CsvTable table, const QByteArray &contents,
                                            const QString &fileName);

inline const QString NothingImported = QStringLiteral(" Nothing was imported.");
// A CSV file is a few hundred bytes; anything above the E2P reader's limit is refused unread.
inline constexpr qint64 CsvFileSizeLimit = 1024 * 1024;
