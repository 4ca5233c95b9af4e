#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "qt_printers.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>

namespace {

E2PReadResult readText(const QByteArray &text) {
    QByteArray data = text;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return readE2PFile(buffer);
}

const QByteArray ZeroRow2 = ":1000200000000000000000000000000000000000D0";
const QByteArray End = ":00000001FF";
const QByteArray Start = "<<<Comment Start>>>";

QByteArray lines(std::initializer_list<QByteArray> list, const char *end = "\r\n") {
    QByteArray out;
    for (const QByteArray &line : list)
        out += line + end;
    return out;
}

struct ReadCase {
    const char *name;
    QByteArray text;
    std::vector<std::pair<int, int>> bytes; // offset and the value expected there
    const char *comment = "";
};

// Data records in any order, then the end record and an optional comment: each file is
// accepted or refused as a whole, and an accepted one gives what its records say.
TEST(E2PReader, AcceptsOrRejectsAndLoadsWhatTheRecordsSay) {
    const ReadCase cases[] = {
        {"ZeroRow2WithComment", lines({ZeroRow2, End, Start, "hello"}), {{0, 0}}, "hello"},
        {"RecordsInAnyOrderLaterOverwrites",
         lines({":0200300011220000", ":01003100AA00", ":020020003344", End, Start, ""}),
         {{16, 0x11}, {17, 0xAA}, {0, 0x33}, {1, 0x44}, {2, 0}, {18, 0}}},
        {"CountOf20HexFillsTwoRows",
         lines({":20002000" + QByteArray(64, '7'), End, Start, ""}),
         {{0, 0x77}, {15, 0x77}, {16, 0x77}, {31, 0x77}, {32, 0}}},
        {"LastRowLastByte", lines({":0101DF005A00", End, Start, ""}), {{447, 0x5A}}},
        {"OtherRecordTypesAreSkipped",
         lines({":020000040000FA", ":0200200211220000", ":01002000AB00", End, Start, ""}),
         {{0, 0xAB}, {1, 0}}},
        {"LowerCaseHex", lines({":01002000ab00", End, Start, ""}), {{0, 0xAB}}},
        {"MissingDataDigitsReadZero", lines({":02002000F", End, Start, ""}), {{0, 0x0F}, {1, 0}}},
        {"FieldReadsItsLeadingHexDigits", lines({":01002000AGFF", End, Start, ""}), {{0, 0x0A}}},
        {"EndRecordThenOtherLineIsAcceptedWithoutComment",
         lines({":01002000AB00", End, "no comment here", "more"}),
         {{0, 0xAB}}},
        {"EndRecordThenCommentEndOnly",
         lines({":01002000AB00", End, "<<<Comment End>>>"}),
         {{0, 0xAB}}},
        {"LoneCrEndsALineLoneLfStays",
         QByteArray(":00000001FF\r<<<Comment Start>>>\rfirst\nstill first\rsecond"),
         {},
         "first\nstill first\r\nsecond"},
        {"PlainIntelHexEndingWithEndRecord", lines({":01002000AB00", End}), {{0, 0xAB}}}};
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        const E2PReadResult r = readText(c.text);
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_TRUE(r.message.isEmpty());
        EXPECT_EQ(r.commentText, QString::fromLatin1(c.comment));
        for (const auto &[offset, value] : c.bytes)
            EXPECT_EQ(r.image.byte(offset), value) << "offset " << offset;
    }

    // Refused as a whole.
    const std::pair<const char *, QByteArray> refused[] = {
        {"EndRecordOnlyFollowedByCommentStart", lines({ZeroRow2, End, Start})},
        {"EndsInsideTheDataRecords", lines({ZeroRow2, ":01003000AB00"})},
        {"EndsWithAnUnknownLine", lines({ZeroRow2, "garbage"})},
        {"RowBelowTwo", lines({":01001F00AB00", End, Start, ""})},
        {"RowAboveTwentyNine", lines({":0101E000AB00", End, Start, ""})},
        {"AddressOf1000Hex", lines({":01100000AB00", End, Start, ""})},
        {"RecordRunsPastTheLastByte", lines({":0201DF00ABCD00", End, Start, ""})},
        {"CountOfZeroRunsOnAndFails", lines({":00002000", End, Start, ""})},
        {"EmptyFile", QByteArray()},
        {"OnlyLineEnds", QByteArray("\r\n\r\n")}};
    for (const auto &[name, text] : refused) {
        const E2PReadResult r = readText(text);
        EXPECT_FALSE(r.ok) << name;
        EXPECT_EQ(r.message, FileFormatIncorrect) << name;
        EXPECT_EQ(r.icon, MessageIcon::Critical) << name;
    }
}

// Any line ends and a byte-order mark read as CR LF do; a damaged record line is read as it stands
// and told, and comment lines are never taken for records.
TEST(E2PReader, ReadsAnyLineEndsAndTellsDamagedRecordLines) {
    const auto file = [](const QByteArray &first, const char *end = "\r\n",
                         const QByteArray &endRecord = End) {
        return lines({first, ":01003000CD02", endRecord, Start, ":1000", "x"}, end);
    };
    const std::tuple<const char *, QByteArray, const char *> cases[] = {
        {"CrLf", file(":01002000AB34"), ""},
        {"LfAndBlanksAfterTheChecksum", file(":01002000AB34 \t", "\n"), ""},
        {"LfCr", file(":01002000AB34", "\n\r"), ""},
        {"ByteOrderMark", "\xEF\xBB\xBF" + file(":01002000AB34"), ""},
        {"Checksum", file(":01002000AB00"), "1 damaged line (line 1, checksum); its"},
        {"NotHexNorStartCode", file(";01002000AB3G"), "1 damaged line (line 1, not hex); its"},
        {"CutShort", file(":01002000AB"), "1 damaged line (line 1, cut short); its"},
        {"ByteCount", file(":01002000AB3400"), "1 damaged line (line 1, byte count); its"},
        {"EndRecord", file(":01002000AB34", "\r\n", ":00000001FE"),
         "1 damaged line (line 3, checksum); its"},
        {"SeveralAfterAByteOrderMark",
         "\xEF\xBB\xBF" + file(":10\n:01002000AB00", "\n", ":00000001"),
         "3 damaged lines (first: line 1, cut short); their"}};
    for (const auto &[name, text, damaged] : cases) {
        SCOPED_TRACE(name);
        const E2PReadResult r = readText(text);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.image.byte(0), 0xAB);
        EXPECT_EQ(r.image.byte(16), 0xCD);
        EXPECT_EQ(r.commentText, QStringLiteral(":1000\r\nx"));
        EXPECT_EQ(damageWarning(QStringLiteral("SAMPLE.E2P"), r.damaged),
                  *damaged ? QStringLiteral("SAMPLE.E2P: %1 values were read as the file gives "
                                            "them. Check the maps before writing them to the ECU.")
                                 .arg(QLatin1String(damaged))
                           : QString());
    }
}

// A file of the given size that reads as an E2P file: the records and a one-line comment.
QString fileOfSize(const QTemporaryDir &dir, const QString &name, qsizetype size) {
    const QByteArray head = lines({ZeroRow2, End, Start});
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(head + QByteArray(size - head.size() - 2, 'x') + "\r\n");
    return file.fileName();
}

// Anything but a regular file of a sane size is refused with its path and the reason, at once:
// without reading a device or a huge file, and without waiting for a pipe's writer.
TEST(E2PReader, RefusesWhatIsNoE2PFileWithThePathAndTheReason) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("FIFO.E2P"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("DIR.E2P")));
    const char *const notRegular = "Not a regular file (a device, a pipe or a socket)";
    const std::pair<QString, const char *> cases[] = {
        {dir.filePath(QStringLiteral("NO.E2P")), "No such file or directory"},
        {dir.filePath(QStringLiteral("DIR.E2P")), "Is a directory"},
        {fifo, notRegular},
        {QStringLiteral("/dev/zero"), notRegular},
        {fileOfSize(dir, QStringLiteral("BIG.E2P"), 1024 * 1024 + 1),
         "File too large for an E2P file: 1048577 bytes (at most 1048576)"},
        {fileOfSize(dir, QStringLiteral("LIMIT.E2P"), 1024 * 1024), nullptr}};
    for (const auto &[path, reason] : cases) {
        const E2PReadResult r = readE2PFile(path);
        EXPECT_EQ(r.ok, !reason) << path.toStdString();
        EXPECT_EQ(r.message,
                  reason ? path + QLatin1Char('\n') + QString::fromUtf8(reason) : QString());
    }
}

} // namespace
