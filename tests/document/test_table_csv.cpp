#include "document/calibration_document.h"
#include "document/table_csv_commands.h"
#include "recording_operator.h"
#include "sample_image.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QString write(const QString &path, const QByteArray &contents) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    return path;
}

// Each table, exported beside the data file, imports unchanged; a value changed in the file
// imports as one step. Axes that differ are asked about first; what is no table is refused.
TEST(TableCsvCommands, ExportImportAndTheirRefusals) {
    QTemporaryDir dir;
    CalibrationDocument document;
    document.load(sampleImage(), {});
    const E2PFileState file{dir.filePath(QStringLiteral("RACE1.E2P")), dir.path(),
                            QStringLiteral("RACE1.E2P")};
    RecordingOperator op;
    ScriptedFileDialogs dialogs;
    const std::pair<CsvTable, int> tables[] = {{CsvTable::Fi, fiCellOffset(1)},
                                               {CsvTable::Ig, igCellOffset(176)},
                                               {CsvTable::Ru, ruMapOffset(16)}};
    for (const auto &[table, offset] : tables) {
        const QString name = csvTableName(table);
        const QString path = dir.filePath(QStringLiteral("RACE1 %1.csv").arg(name));
        dialogs.choose(path);
        ASSERT_TRUE(exportTable(table, document, file, dialogs, op));
        EXPECT_EQ(dialogs.saveRequests.back().startFolder, path);
        dialogs.choose(path);
        EXPECT_FALSE(importTable(table, document, file, dialogs, op));
        EXPECT_EQ(op.messages.back().text,
                  QStringLiteral("RACE1 %1.csv holds the values the %1 has already. Nothing was "
                                 "changed.")
                      .arg(name));
        EXPECT_FALSE(document.isModified());

        EcuImage edited = document.image();
        edited.setByte(offset, edited.byte(offset) - 1);
        write(path, tableCsv(table, decodeImage(edited)));
        dialogs.choose(path);
        EXPECT_TRUE(importTable(table, document, file, dialogs, op));
        EXPECT_EQ(document.image(), edited);
        EXPECT_EQ(document.undoStack().undoText(),
                  QStringLiteral("%1: import RACE1 %1.csv").arg(name));
        document.undoStack().undo();
        EXPECT_EQ(document.image(), sampleImage());
    }
    EXPECT_EQ(op.messages.size(), 3);

    // NE point 7 moved from 7500 to 7700 r/min: Cancel changes nothing, Take Axes Too one step.
    EcuImage moved = document.image();
    moved.setByte(neAxisOffset(7), 77);
    const QString axes =
        write(dir.filePath(QStringLiteral("AXES.csv")), tableCsv(CsvTable::Ig, decodeImage(moved)));
    for (const int answer : {1, 0}) {
        op.choices = {answer};
        dialogs.choose(axes);
        EXPECT_EQ(importTable(CsvTable::Ig, document, file, dialogs, op), answer == 0);
    }
    EXPECT_EQ(op.messages.back(),
              ToldMessage(QStringLiteral("The axes in AXES.csv differ from the data's. Take the "
                                         "file's axes too?"),
                          MessageIcon::Question, true,
                          QStringLiteral("NE point 7: 7500 \u2192 7700 r/min\nThe maps share these "
                                         "axes: the other tables keep their values at the new "
                                         "points.")));
    EXPECT_EQ(op.questionButtons.back(),
              (QStringList{QStringLiteral("Take Axes Too"), QStringLiteral("Cancel")}));
    EXPECT_EQ(document.image(), moved);
    EXPECT_EQ(document.undoStack().count(), 1);
    EXPECT_EQ(document.undoStack().undoText(),
              QStringLiteral("IG map: import AXES.csv and its axes"));

    // Refused unread: a pipe, a file over 1 MiB; refused with the reason: what holds no table, a
    // file that cannot be written. A cancelled dialog tells nothing.
    const QString fifo = dir.filePath(QStringLiteral("FIFO.csv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString big =
        write(dir.filePath(QStringLiteral("BIG.csv")), QByteArray(1024 * 1024 + 1, '0'));
    const QString empty = write(dir.filePath(QStringLiteral("EMPTY.csv")), {});
    const QString nowhere = dir.filePath(QStringLiteral("missing/RU.csv"));
    const std::tuple<QString, QString, MessageIcon> refusals[] = {
        {fifo, QStringLiteral("Not a regular file (a device, a pipe or a socket)"),
         MessageIcon::Critical},
        {big, QStringLiteral("File too large for a CSV table: 1048577 bytes (at most 1048576)"),
         MessageIcon::Critical},
        {empty,
         QStringLiteral("EMPTY.csv has 0 rows; a table of the RU map has 2: the NE axis and the RU "
                        "points. Nothing was imported."),
         MessageIcon::Exclamation},
        {nowhere, QStringLiteral("No such file or directory"), MessageIcon::Critical}};
    for (const auto &[path, told, icon] : refusals) {
        op.messages.clear();
        dialogs.choose(path);
        EXPECT_FALSE(path == nowhere ? exportTable(CsvTable::Ru, document, file, dialogs, op)
                                     : importTable(CsvTable::Ru, document, file, dialogs, op));
        EXPECT_EQ(op.messages,
                  (QList<ToldMessage>{
                      {icon == MessageIcon::Exclamation ? told : path + QLatin1Char('\n') + told,
                       icon}}));
    }
    op.messages.clear();
    EXPECT_FALSE(importTable(CsvTable::Ru, document, file, dialogs, op));
    EXPECT_TRUE(op.messages.isEmpty());
    EXPECT_EQ(document.image(), moved);
}

} // namespace
