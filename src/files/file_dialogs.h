#pragma once

#include <QString>
#include <optional>

// What an open or save dialog is asked to show.
struct FileDialogRequest {
    QString title;
    QString filter;        // e.g. "E2P(*.E2P)"
    QString defaultSuffix; // added by the dialog when the user types none
    QString startFolder;   // the folder to start in, or a file in it to propose
};

// What the user chose: the full path and the bare file name.
struct FileChoice {
    QString fullPath;
    QString fileName;
};

// The file-dialog seam: the window shows real dialogs, tests choose a path.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // nullopt when the user cancelled.
    virtual std::optional<FileChoice> chooseFileToOpen(const FileDialogRequest &request) = 0;
    virtual std::optional<FileChoice> chooseFileToSave(const FileDialogRequest &request) = 0;
};
