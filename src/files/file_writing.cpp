#include "file_writing.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Why the running user may not replace the existing file at path; empty when they may or
// when nothing is there. The replacement would not keep a read-only mode either, so a file
// without its owner's write bit is refused even for root, whom the system lets write anything.
QString refusalToReplace(const QString &path) {
    if (faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) != 0)
        return errno == ENOENT ? QString() : qt_error_string(errno);
    const QFileInfo target(path);
    if (target.isFile() && !(target.permissions() & QFileDevice::WriteOwner))
        return qt_error_string(EACCES);
    return {};
}

// Unbuffered, so that every write reaches the system at once: a short write is retried, and
// the retry gives the system's reason (a write cut short carries none).
template <typename File>
QString writeAll(File &file, const QByteArray &contents) {
    for (qint64 done = 0; done < contents.size();) {
        const qint64 written = file.write(contents.constData() + done, contents.size() - done);
        if (written <= 0)
            return file.errorString();
        done += written;
    }
    return {};
}

} // namespace

FileWriteResult writeFileSafely(const QString &path, const QByteArray &contents) {
    // The rename would put a regular file in place of a FIFO or a device node (/dev/zero for
    // root): what is there, or what a link leads to, must be a regular file or nothing.
    if (const QFileInfo target(path); target.exists() && !target.isFile() && !target.isDir())
        return {false, NotARegularFile};
    if (const QString refusal = refusalToReplace(path); !refusal.isEmpty())
        return {false, refusal};

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, file.errorString()};
    if (const QString error = writeAll(file, contents); !error.isEmpty()) {
        file.cancelWriting();
        return {false, error};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

FileWriteResult writeNewFile(const QString &path, const QByteArray &contents) {
    QFile file(path);
    if (!file.open(QIODevice::NewOnly | QIODevice::Unbuffered)) {
        const QFileInfo there(path);
        return {false, file.errorString(), there.exists() || there.isSymLink()};
    }
    QString error = writeAll(file, contents);
    if (error.isEmpty() && ::fsync(file.handle()) != 0 && errno != EINVAL)
        error = qt_error_string(errno);
    file.close();
    if (error.isEmpty() && file.error() != QFileDevice::NoError)
        error = file.errorString();
    if (!error.isEmpty()) {
        file.remove();
        return {false, error};
    }
    return {true, {}};
}

FileWriteResult replaceWithNewFile(const QString &path, const QByteArray &contents) {
    const QFileInfo existing(path);
    const bool regular = existing.isFile() && !existing.isSymLink();
    if (regular) {
        if (const QString refusal = refusalToReplace(path); !refusal.isEmpty())
            return {false, refusal};
    } else if (existing.exists() && !existing.isSymLink()) {
        return {false, NotARegularFile};
    }

    FileWriteResult written;
    QString beside;
    for (int attempt = 0; attempt < 100; ++attempt) {
        beside = path + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                  QLatin1Char('0'));
        written = writeNewFile(beside, contents);
        if (!written.pathTaken)
            break;
    }
    if (!written.ok)
        return written;
    if (regular)
        QFile::setPermissions(beside, existing.permissions());
    // rename() replaces a link at path with the new file and never follows it.
    if (std::rename(QFile::encodeName(beside).constData(), QFile::encodeName(path).constData()) !=
        0) {
        const QString error = qt_error_string(errno);
        QFile::remove(beside);
        return {false, error};
    }
    return {true, {}};
}
