#include "table_csv_commands.h"

#include "calibration_document.h"
#include "files/file_writing.h"
#include "files/small_file_reading.h"
#include "table_import.h"

#include <QDir>
#include <QFileInfo>

namespace {

enum AxisAnswer { TakeAxes, Cancel };

} // namespace

bool exportTable(CsvTable table, const CalibrationDocument &document, const E2PFileState &file,
                 FileDialogs &dialogs, Operator &op) {
    const QString base = QFileInfo(file.fileName).completeBaseName();
    const QString proposed =
        (base.isEmpty() ? QString() : base + u' ') + csvTableName(table) + QStringLiteral(".csv");
    const auto choice = dialogs.chooseFileToSave(
        {QStringLiteral("Export ") + csvTableName(table), CsvFilter, QStringLiteral("csv"),
         file.folder.isEmpty() ? proposed : file.folder + u'/' + proposed});
    if (!choice)
        return false;
    const FileWriteResult written =
        writeFileSafely(choice->fullPath, tableCsv(table, document.tables()));
    if (!written.ok) {
        op.tell(
            QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(choice->fullPath), written.error),
            MessageIcon::Critical);
    }
    return written.ok;
}

bool importTable(CsvTable table, CalibrationDocument &document, const E2PFileState &file,
                 FileDialogs &dialogs, Operator &op) {
    const auto choice = dialogs.chooseFileToOpen({QStringLiteral("Import ") + csvTableName(table),
                                                  CsvFilter, QStringLiteral("csv"), file.folder});
    if (!choice)
        return false;
    const SmallFileRead read =
        readSmallFile(choice->fullPath, CsvFileSizeLimit, QStringLiteral("a CSV table"));
    if (!read.ok()) {
        op.tell(read.refusal, MessageIcon::Critical);
        return false;
    }
    const TableImport import =
        importTable(table, document.tables(), tableCsvFields(table, read.data, choice->fileName),
                    choice->fileName);
    if (import.result.refused()) {
        op.tell(import.result.refusal, MessageIcon::Exclamation);
        return false;
    }
    if (!import.axisChanges.isEmpty()) {
        const int answer = op.ask(
            {QStringLiteral("The axes in %1 differ from the data's. Take the file's axes too?")
                 .arg(choice->fileName),
             MessageIcon::Question,
             {QStringLiteral("Take Axes Too"), QStringLiteral("Cancel")},
             Cancel,
             import.axisChanges.join(u'\n') +
                 QStringLiteral("\nThe maps share these axes: the other tables keep their values "
                                "at the new points.")});
        if (answer != TakeAxes)
            return false;
    }
    if (document.apply(import.result.edit))
        return true;
    op.tell(QStringLiteral("%1 holds the values the %2 has already. Nothing was changed.")
                .arg(choice->fileName, csvTableName(table)),
            MessageIcon::None);
    return false;
}
