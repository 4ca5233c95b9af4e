#pragma once

#include "files/e2p_commands.h"

#include <QObject>
#include <optional>

class CalibrationDocument;

// What the window shows of a file: its data name and when it was last changed.
struct ShownFile {
    QString dataName;
    QDateTime fileTime;
};

// The file commands behind "Open File" and "Save File", the start-up load of the last file,
// and the question before modified data are discarded. Loads go into the document; the window
// shows the outcome.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(CalibrationDocument &document, FileDialogs &dialogs, Operator &op,
                 SettingsStore &settings, QObject *parent = nullptr);

    [[nodiscard]] const E2PFileState &fileState() const { return m_file; }

    // The stored last file, read and checked as at start-up; nothing when there is none or it
    // was not accepted (the reader has told why, a foreign marker passes in silence). Damaged
    // record lines are told as Open File tells them.
    std::optional<ShownFile> loadLastFile();
    // "Open File": asks first when modified data would be lost.
    void openFile();
    // What Open File does once a file is chosen (named at start-up). False when not loaded.
    bool openChosenFile(const QString &path);
    // A file dropped on the window: asks first when modified data would be lost.
    void openDroppedFile(const QString &path);
    // "Save File". True when the data were saved.
    bool saveFile();

    // While the data are modified: "The data have been changed. Save them before <what>?" with
    // Save, Discard and Cancel. True when the caller may go on (saved, discarded, or nothing
    // to lose).
    bool maySaveOrDiscard(const QString &beforeWhat);

signals:
    void opened(const ShownFile &file);
    // A file was chosen but not loaded.
    void openFailed(FileCommandResult result);
    void saved(const ShownFile &file);

private:
    void takeOutcome(const OpenOutcome &outcome);

    CalibrationDocument &m_document;
    FileDialogs &m_dialogs;
    Operator &m_operator;
    SettingsStore &m_settings;
    E2PFileState m_file;
};

// The guard's reasons.
inline const QString BeforeQuitting = QStringLiteral("quitting");
inline const QString BeforeOpening = QStringLiteral("opening another file");
inline const QString BeforeReading = QStringLiteral("reading the ECU");
