#pragma once

#include "files/file_dialogs.h"

class QWidget;

// Open and save dialogs shown with QFileDialog.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget *parent);

    std::optional<FileChoice> chooseFileToOpen(const FileDialogRequest &request) override;
    std::optional<FileChoice> chooseFileToSave(const FileDialogRequest &request) override;

private:
    QWidget *m_parent;
};
