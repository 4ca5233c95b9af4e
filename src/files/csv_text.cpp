#include "csv_text.h"

namespace {

constexpr QChar Quote = u'"';

// The separator the first line uses: a semicolon when it has one outside quotes, else a comma.
QChar separatorOf(const QString &text) {
    bool quoted = false;
    for (const QChar c : text) {
        if (c == Quote)
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && c == u';')
            return u';';
    }
    return u',';
}

// A row without the empty fields at its end.
QStringList trimmedRow(QStringList row) {
    while (!row.isEmpty() && row.constLast().isEmpty())
        row.removeLast();
    return row;
}

} // namespace

CsvRows parseCsv(const QByteArray &bytes) {
    // A byte-order mark at the start is no character of the text.
    const QString text = QString::fromUtf8(bytes);
    const QChar separator = separatorOf(text);
    CsvRows result;
    QStringList row;
    QString field;
    bool quotedField = false; // the field began with a quote: its blanks are its own
    int line = 1;
    int quoteLine = 0; // the line a quoted field opened on, 0 outside one
    const auto next = [&text](qsizetype i) { return i + 1 < text.size() ? text[i + 1] : QChar(); };
    const auto endField = [&] {
        row << (quotedField ? field : field.trimmed());
        field.clear();
        quotedField = false;
    };
    const auto endRow = [&] {
        endField();
        if (QStringList kept = trimmedRow(row); !kept.isEmpty())
            result.rows << kept;
        row.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoteLine != 0) {
            if (c == Quote && next(i) == Quote) {
                field += Quote;
                ++i;
            } else if (c == Quote) {
                quoteLine = 0;
            } else {
                line += c == u'\n' || (c == u'\r' && next(i) != u'\n') ? 1 : 0;
                field += c;
            }
        } else if (c == Quote && field.trimmed().isEmpty()) {
            field.clear();
            quotedField = true;
            quoteLine = line;
        } else if (c == separator) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && next(i) == u'\n')
                ++i;
            endRow();
            ++line;
        } else if (!(quotedField && c.isSpace())) {
            field += c;
        }
    }
    if (quoteLine != 0) {
        result.rows.clear();
        result.error = QStringLiteral("the quote that opens a field on line %1 is never closed.")
                           .arg(quoteLine);
        return result;
    }
    endRow();
    return result;
}

QByteArray csvText(const QList<QStringList> &rows) {
    QByteArray text;
    for (const QStringList &row : rows) {
        QStringList fields;
        for (const QString &field : row) {
            const bool quote = field.contains(u',') || field.contains(Quote) ||
                               field.contains(u'\n') || field.contains(u'\r');
            fields << (quote ? Quote + QString(field).replace(Quote, QStringLiteral("\"\"")) + Quote
                             : field);
        }
        text += fields.join(u',').toUtf8() + "\r\n";
    }
    return text;
}
