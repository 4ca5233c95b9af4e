#include "window/table_csv_menu.h"

#include "document/calibration_document.h"
#include "document/table_csv_commands.h"

#include <QMenu>

namespace {

struct TableItem {
    CsvTable table;
    const char *text;
    const char *name; // after "mnuExport" or "mnuImport"
};

constexpr TableItem TableItems[] = {
    {CsvTable::Fi, "Fi Map", "Fi"}, {CsvTable::Ig, "IG Map", "Ig"}, {CsvTable::Ru, "RU Map", "Ru"}};

} // namespace

TableCsvMenu::TableCsvMenu(QMenu &file, CalibrationDocument &document,
                           const E2PFileState &fileState, FileDialogs &dialogs, Operator &op,
                           QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_file(fileState)
    , m_dialogs(dialogs)
    , m_operator(op) {
    QMenu *exports = file.addMenu(QStringLiteral("Export Table\u2026"));
    exports->menuAction()->setObjectName(QStringLiteral("mnuExportTable"));
    QMenu *imports = file.addMenu(QStringLiteral("Import Table\u2026"));
    imports->menuAction()->setObjectName(QStringLiteral("mnuImportTable"));
    for (const TableItem &item : TableItems) {
        const CsvTable table = item.table;
        QAction *exportItem = exports->addAction(QLatin1String(item.text));
        exportItem->setObjectName(QStringLiteral("mnuExport") + QLatin1String(item.name));
        connect(exportItem, &QAction::triggered, this, [this, table] {
            (void)exportTable(table, m_document, m_file, m_dialogs, m_operator);
        });
        QAction *importItem = imports->addAction(QLatin1String(item.text));
        importItem->setObjectName(QStringLiteral("mnuImport") + QLatin1String(item.name));
        connect(importItem, &QAction::triggered, this, [this, table] {
            (void)importTable(table, m_document, m_file, m_dialogs, m_operator);
        });
    }
    const auto update = [this, exports, imports] {
        exports->menuAction()->setEnabled(m_document.hasData());
        imports->menuAction()->setEnabled(m_document.hasData());
    };
    // The window clears the document without a signal: the menu looks again when it opens.
    connect(&file, &QMenu::aboutToShow, this, update);
    connect(&document, &CalibrationDocument::dataReplaced, this, update);
    update();
}
