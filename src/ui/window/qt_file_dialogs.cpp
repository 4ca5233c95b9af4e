#include "window/qt_file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

std::optional<FileChoice> runDialog(QWidget *parent, const FileDialogRequest &request,
                                    QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title, request.startFolder, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    return FileChoice{path, QFileInfo(path).fileName()};
}

} // namespace

QtFileDialogs::QtFileDialogs(QWidget *parent)
    : m_parent(parent) {}

std::optional<FileChoice> QtFileDialogs::chooseFileToOpen(const FileDialogRequest &request) {
    return runDialog(m_parent, request, QFileDialog::AcceptOpen);
}

std::optional<FileChoice> QtFileDialogs::chooseFileToSave(const FileDialogRequest &request) {
    return runDialog(m_parent, request, QFileDialog::AcceptSave);
}
