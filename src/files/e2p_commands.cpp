#include "e2p_commands.h"

#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "image/image_decoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

QString folderOfPath(const QString &path) {
    const qsizetype separator =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return separator < 0 ? QString() : path.left(separator);
}

QString dataNameOfFile(const QString &fileName) {
    QString stem = fileName;
    const qsizetype dot = stem.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        stem.truncate(dot);
    return stem.left(EcuDataNameLength);
}

bool isSevenBit(const QString &text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 127; });
}

namespace {

// True when nothing is at path. A path that cannot be looked up for another reason (a loop of
// symlinks, a name too long) is no missing file: the reader tells the system's reason.
bool isMissing(const QString &path) {
#ifdef Q_OS_UNIX
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) != 0 && errno == ENOENT;
#else
    return !QFileInfo::exists(path);
#endif
}

} // namespace

OpenOutcome loadE2PFile(const FileChoice &choice, Operator &op) {
    OpenOutcome outcome;
    if (isMissing(choice.fullPath)) {
        op.tell(FileNotFound, MessageIcon::None, QDir::toNativeSeparators(choice.fullPath));
        outcome.result = FileCommandResult::NotFound;
        return outcome;
    }

    E2PReadResult read = readE2PFile(choice.fullPath);
    if (!read.ok) {
        op.tell(read.message, read.icon);
        outcome.result = FileCommandResult::Rejected;
        return outcome;
    }
    if (dataTypeMarker(read.image) != EcuMarker) {
        op.tell(EcuDataTypeIncorrect, MessageIcon::Critical);
        outcome.result = FileCommandResult::Rejected;
        return outcome;
    }
    if (read.damaged.count > 0)
        op.tell(damageWarning(choice.fileName, read.damaged), MessageIcon::Exclamation);

    outcome.result = FileCommandResult::Done;
    outcome.data.image = read.image;
    decodeImage(outcome.data);
    outcome.comment = read.comment;
    outcome.commentText = read.commentText;
    outcome.dataName = dataNameOfFile(choice.fileName);
    outcome.fileTime = QFileInfo(choice.fullPath).lastModified();
    return outcome;
}

OpenOutcome openE2PFile(const FileChoice &choice, E2PFileState &state, Operator &op,
                        SettingsStore &settings) {
    OpenOutcome outcome = loadE2PFile(choice, op);
    if (outcome.accepted()) {
        state = {choice.fullPath, folderOfPath(choice.fullPath), choice.fileName};
        writeLastFile(settings, {state.filePath, state.folder, state.fileName});
    }
    return outcome;
}

OpenOutcome openE2PFile(E2PFileState &state, FileDialogs &dialogs, Operator &op,
                        SettingsStore &settings) {
    const auto choice = dialogs.chooseFileToOpen(
        {QStringLiteral("Read file select"), E2PFilter, E2PSuffix, state.folder});
    if (!choice) {
        op.tell(FileOperationNotEnded, MessageIcon::None);
        return {};
    }
    return openE2PFile(*choice, state, op, settings);
}

SaveOutcome saveE2PFile(E2PFileState &state, EcuImage &image, const E2PComment &comment,
                        FileDialogs &dialogs, Operator &op, SettingsStore &settings,
                        const std::function<void(const SaveOutcome &)> &onSaved) {
    SaveOutcome outcome;
    const auto choice =
        dialogs.chooseFileToSave({QStringLiteral("file save"), E2PFilter, E2PSuffix, state.folder});
    if (!choice) {
        op.tell(FileOperationNotEnded, MessageIcon::None);
        return outcome;
    }
    if (!isSevenBit(choice->fileName)) {
        op.tell(FileOperationNotEnded, MessageIcon::None,
                QStringLiteral("%1: the file name is stored in the data, so it may hold ASCII "
                               "characters only.")
                    .arg(choice->fileName));
        outcome.result = FileCommandResult::Refused;
        return outcome;
    }

    const QString name = dataNameOfFile(choice->fileName);
    EcuImage named = image;
    setEcuDataName(named, name);
    const FileWriteResult written =
        writeFileSafely(choice->fullPath, e2pFileContents(named, comment));
    if (!written.ok) {
        op.tell(
            QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(choice->fullPath), written.error),
            MessageIcon::Critical);
        outcome.result = FileCommandResult::Failed;
        return outcome;
    }

    image = named;
    state = {choice->fullPath, folderOfPath(choice->fullPath), choice->fileName};
    writeLastFile(settings, {state.filePath, state.folder, state.fileName});

    outcome.result = FileCommandResult::Done;
    outcome.dataName = name;
    outcome.fileTime = QFileInfo(choice->fullPath).lastModified();
    if (onSaved)
        onSaved(outcome);
    op.tell(FileSaveEnded, MessageIcon::None);
    return outcome;
}
