#pragma once

#include "files/e2p_comment.h"
#include "files/file_dialogs.h"
#include "files/operator.h"
#include "files/settings_store.h"
#include "image/ecu_tables.h"

#include <QDateTime>
#include <QString>
#include <functional>

// Where the current data file lives.
struct E2PFileState {
    QString filePath; // full path as the dialog returned it
    QString folder;   // the path up to its last separator; empty if none
    QString fileName; // the bare file name
};

inline const QString FileOperationNotEnded =
    QStringLiteral("File operation has not ended normally");
inline const QString FileNotFound = QStringLiteral("File Not Found");
inline const QString FileSaveEnded = QStringLiteral("File save ended");
inline const QString E2PFilter = QStringLiteral("E2P(*.E2P)");
inline const QString E2PSuffix = QStringLiteral("E2P");

// The folder part of a path: up to, and without, its last separator; empty if it has none.
[[nodiscard]] QString folderOfPath(const QString &path);
// The data name of a file: its name without the extension (any case), cut to 8 characters.
[[nodiscard]] QString dataNameOfFile(const QString &fileName);
// True when every character of the text lies in 0..127.
[[nodiscard]] bool isSevenBit(const QString &text);

enum class FileCommandResult { Cancelled, NotFound, Refused, Rejected, Failed, Done };

struct OpenOutcome {
    FileCommandResult result = FileCommandResult::Cancelled;
    EcuData data;        // decoded, when Done
    E2PComment comment;  // when Done
    QString commentText; // comment.text(), when Done
    QString dataName;    // when Done
    QDateTime fileTime;  // last modified, when Done
    [[nodiscard]] bool accepted() const { return result == FileCommandResult::Done; }
};

// Asks for a file, reads and checks it, and hands it back decoded. A file that is not accepted
// changes nothing: not the state, not the settings. The last-file settings are written only
// after a file was accepted.
[[nodiscard]] OpenOutcome openE2PFile(E2PFileState &state, FileDialogs &dialogs, Operator &op,
                                      SettingsStore &settings);
// What openE2PFile does once a file is chosen (a file named at start-up, a dropped file).
[[nodiscard]] OpenOutcome openE2PFile(const FileChoice &choice, E2PFileState &state, Operator &op,
                                      SettingsStore &settings);
// The checks and messages of openE2PFile on a file, without the state or the settings. A file
// accepted with damaged record lines is accepted with a warning.
[[nodiscard]] OpenOutcome loadE2PFile(const FileChoice &choice, Operator &op);

struct SaveOutcome {
    FileCommandResult result = FileCommandResult::Cancelled;
    QString dataName;   // when Done
    QDateTime fileTime; // when Done
    [[nodiscard]] bool saved() const { return result == FileCommandResult::Done; }
};

// Asks for a path and saves the image (with the file's name as its data name) and the comment.
// The file's name goes into the image, so a name outside ASCII is refused; its folder may be
// anything. Only a complete save changes the image's name bytes, the state and the last-file
// settings.
// onSaved runs after a save and before "File save ended" is told, so the window can show the
// new name and date first.
[[nodiscard]] SaveOutcome saveE2PFile(E2PFileState &state, EcuImage &image,
                                      const E2PComment &comment, FileDialogs &dialogs, Operator &op,
                                      SettingsStore &settings,
                                      const std::function<void(const SaveOutcome &)> &onSaved = {});
