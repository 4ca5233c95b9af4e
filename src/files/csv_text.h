#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// Comma-separated values as spreadsheets write and read them.

// The rows of fields of a CSV text, or why it is none.
struct CsvRows {
    QList<QStringList> rows;
    QString error; // empty when the text was read
};

// Reads fields separated by commas, or by semicolons when the first line has one outside
// quotes (what spreadsheets write where the comma is the decimal sign). A field may be quoted
// ("a, ""b""" is a, "b"), and may then hold separators and line ends. Lines end in CR LF, LF or
// CR; a UTF-8 byte-order mark at the start is skipped. Unquoted fields lose the blanks around
// them; empty lines and the empty fields at the end of a row are dropped, so that the blank
// cells a spreadsheet keeps around a table add nothing.
[[nodiscard]] CsvRows parseCsv(const QByteArray &text);

// The rows as CSV: fields separated by commas, lines ended by CR LF, UTF-8. A field that holds
// a comma, a quote or a line end is quoted.
[[nodiscard]] QByteArray csvText(const QList<QStringList> &rows);
