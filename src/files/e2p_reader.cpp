#include "e2p_reader.h"

#include "files/hex_field.h"
#include "files/small_file_reading.h"

#include <QIODevice>
#include <vector>

namespace {

const QByteArray CommentStartLine = QByteArrayLiteral("<<<Comment Start>>>");
const QByteArray CommentEndLine = QByteArrayLiteral("<<<Comment End>>>");

const QByteArray Utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// The file's lines without their ends. A UTF-8 byte-order mark at the start belongs to no line.
// A line ends at CR LF or at a lone CR, and a lone LF stays part of the line; but where the
// first line ends in LF (alone or followed by CR) the file was written with LF line ends, and a
// lone LF ends a line too, LF CR being one line end. A line end at the very end starts no
// further (empty) line.
std::vector<QByteArray> splitLines(const QByteArray &data) {
    const qsizetype from = data.startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
    const qsizetype size = data.size();
    qsizetype firstEnd = from;
    while (firstEnd < size && data[firstEnd] != '\r' && data[firstEnd] != '\n')
        ++firstEnd;
    const bool lfEnds = firstEnd < size && data[firstEnd] == '\n';

    std::vector<QByteArray> lines;
    qsizetype start = from;
    for (qsizetype i = from; i < size; ++i) {
        const char c = data[i];
        if (c != '\r' && !(lfEnds && c == '\n'))
            continue;
        lines.push_back(data.mid(start, i - start));
        const char pair = c == '\r' ? '\n' : '\r';
        if (i + 1 < size && data[i + 1] == pair)
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.push_back(data.mid(start));
    return lines;
}

QByteArray recordType(const QByteArray &line) {
    return line.mid(7, 2);
}

E2PReadResult rejected(const QString &message) {
    E2PReadResult result;
    result.message = message;
    result.icon = MessageIcon::Critical;
    return result;
}

// Stores the data bytes of one type-00 record; false when the record lies outside the image.
bool storeRecord(const QByteArray &line, EcuImage &image) {
    const int count = hexField(line, 1, 2);
    const int address = hexField(line, 3, 4);
    int row = address / EcuColumns;
    int column = address % EcuColumns;
    if (row < EcuFirstRow || row > EcuMaxRow)
        return false;
    // A count of 0 never counts down to 0: such a record runs on past the image's end.
    int remaining = count;
    qsizetype position = 9;
    for (;;) {
        if (row > EcuMaxRow)
            return false;
        image.set(row, column, static_cast<std::uint8_t>(hexField(line, position, 2)));
        position += 2;
        if (--remaining == 0)
            return true;
        if (++column == EcuColumns) {
            column = 0;
            ++row;
        }
    }
}

E2PReadResult readE2PData(const QByteArray &data) {
    const std::vector<QByteArray> lines = splitLines(data);
    if (lines.empty())
        return rejected(FileFormatIncorrect);

    E2PReadResult result;
    int phase = 0;
    const std::size_t last = lines.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
        const QByteArray &line = lines[i];
        if (phase == 0) {
            const QByteArray type = recordType(line);
            if (type == "00" || line.startsWith(':'))
                result.damaged.note(static_cast<int>(i) + 1, recordDamage(line));
            if (type == "01")
                phase = 1;
            if (type != "00")
                continue;
            if (!storeRecord(line, result.image))
                return rejected(FileFormatIncorrect);
            continue;
        }
        // The line after the end record, and not the last one.
        if (line != CommentStartLine) {
            result.ok = true;
            return result;
        }
        QByteArray comment;
        for (std::size_t j = i + 1; j <= last; ++j) {
            comment += lines[j];
            if (j == last)
                break;
            comment += "\r\n";
        }
        result.comment = E2PComment::fromBytes(comment);
        result.commentText = result.comment.text();
        result.ok = true;
        return result;
    }

    // The last line is never decoded as a record.
    const QByteArray &lastLine = lines[last];
    if (phase == 0) {
        // Plain Intel HEX ending with its end record has no comment; any other last line
        // means the file ends inside its data records.
        if (recordType(lastLine) != "01")
            return rejected(FileFormatIncorrect);
        result.ok = true;
        return result;
    }
    if (lastLine != CommentEndLine)
        return rejected(FileFormatIncorrect);
    result.ok = true;
    return result;
}

} // namespace

E2PReadResult readE2PFile(QIODevice &device) {
    return readE2PData(device.readAll());
}

E2PReadResult readE2PFile(const QString &path) {
    const SmallFileRead file = readSmallFile(path, E2PFileSizeLimit, QStringLiteral("an E2P file"));
    if (!file.ok())
        return rejected(file.refusal);
    return readE2PData(file.data);
}
