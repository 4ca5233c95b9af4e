#include "window/file_commands.h"

#include "document/calibration_document.h"
#include "files/e2p_reader.h"

#include <QFileInfo>

namespace {

enum GuardButton { SaveButton, DiscardButton, CancelButton };

} // namespace

FileCommands::FileCommands(CalibrationDocument &document, FileDialogs &dialogs, Operator &op,
                           SettingsStore &settings, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_dialogs(dialogs)
    , m_operator(op)
    , m_settings(settings) {}

std::optional<ShownFile> FileCommands::loadLastFile() {
    const LastFile last = readLastFile(m_settings);
    // A stored name too short to carry an extension is no usable last file.
    if (last.path == NoLastFile || last.name.size() < 4)
        return std::nullopt;
    m_file = {last.path, last.dir, last.name};
    const E2PReadResult read = readE2PFile(last.path);
    if (!read.ok) {
        m_operator.tell(read.message, read.icon);
        return std::nullopt;
    }
    // A foreign file passes in silence.
    if (dataTypeMarker(read.image) != EcuMarker)
        return std::nullopt;
    if (read.damaged.count > 0)
        m_operator.tell(damageWarning(QFileInfo(last.path).fileName(), read.damaged),
                        MessageIcon::Exclamation);
    m_document.load(read.image, read.comment);
    return ShownFile{dataNameOfFile(last.name), QFileInfo(last.path).lastModified()};
}

void FileCommands::openFile() {
    if (!maySaveOrDiscard(BeforeOpening))
        return;
    takeOutcome(::openE2PFile(m_file, m_dialogs, m_operator, m_settings));
}

bool FileCommands::openChosenFile(const QString &path) {
    const OpenOutcome outcome =
        ::openE2PFile(FileChoice{path, QFileInfo(path).fileName()}, m_file, m_operator, m_settings);
    takeOutcome(outcome);
    return outcome.accepted();
}

void FileCommands::openDroppedFile(const QString &path) {
    if (maySaveOrDiscard(BeforeOpening))
        (void)openChosenFile(path);
}

void FileCommands::takeOutcome(const OpenOutcome &outcome) {
    if (!outcome.accepted()) {
        if (outcome.result != FileCommandResult::Cancelled)
            emit openFailed(outcome.result);
        return;
    }
    m_document.load(outcome.data.image, outcome.comment);
    emit opened({outcome.dataName, outcome.fileTime});
}

bool FileCommands::saveFile() {
    EcuImage image = m_document.image();
    const E2PComment comment = m_document.commentToSave();
    const SaveOutcome outcome =
        ::saveE2PFile(m_file, image, comment, m_dialogs, m_operator, m_settings,
                      [this, &image, &comment](const SaveOutcome &saved) {
                          m_document.markSaved(image, comment);
                          emit this->saved({saved.dataName, saved.fileTime});
                      });
    return outcome.saved();
}

bool FileCommands::maySaveOrDiscard(const QString &beforeWhat) {
    if (!m_document.isModified())
        return true;
    const int answer = m_operator.ask(
        {QStringLiteral("The data have been changed. Save them before %1?").arg(beforeWhat),
         MessageIcon::Question,
         {QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")},
         CancelButton,
         {}});
    switch (answer) {
    case SaveButton:
        return saveFile();
    case DiscardButton:
        return true;
    default:
        return false;
    }
}
