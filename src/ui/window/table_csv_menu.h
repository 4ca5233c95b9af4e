#pragma once

#include <QObject>

class CalibrationDocument;
class FileDialogs;
class Operator;
class QMenu;
struct E2PFileState;

// The File menu's "Export Table…" and "Import Table…", each with an item per table ("Fi Map",
// "IG Map", "RU Map"); both are off while no data are loaded.
class TableCsvMenu : public QObject {
    Q_OBJECT
public:
    TableCsvMenu(QMenu &file, CalibrationDocument &document, const E2PFileState &fileState,
                 FileDialogs &dialogs, Operator &op, QObject *parent = nullptr);

private:
    CalibrationDocument &m_document;
    const E2PFileState &m_file;
    FileDialogs &m_dialogs;
    Operator &m_operator;
};
