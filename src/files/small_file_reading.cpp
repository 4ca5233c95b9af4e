#include "small_file_reading.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

QString tooLarge(qint64 size, qint64 limit, const QString &what) {
    return QStringLiteral("File too large for %1: %2 bytes (at most %3)")
        .arg(what)
        .arg(size)
        .arg(limit);
}

SmallFileRead refused(const QString &path, const QString &reason) {
    return {{}, QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), reason)};
}

// Why the file at path is none to read, from its directory entry alone; empty when it may be.
QString refusalOf(const QFileInfo &info, qint64 limit, const QString &what) {
    if (!info.exists())
        return {};
    if (info.isDir())
        return qt_error_string(EISDIR);
    if (!info.isFile())
        return QStringLiteral("Not a regular file (a device, a pipe or a socket)");
    if (info.size() > limit)
        return tooLarge(info.size(), limit, what);
    return {};
}

} // namespace

SmallFileRead readSmallFile(const QString &path, qint64 limit, const QString &what) {
    if (const QString refusal = refusalOf(QFileInfo(path), limit, what); !refusal.isEmpty())
        return refused(path, refusal);
    QFile file(path);
#ifdef Q_OS_UNIX
    // Opened without waiting, in case a pipe took the file's place since it was looked at.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refused(path, qt_error_string(errno));
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refused(path, file.errorString());
    }
#else
    if (!file.open(QIODevice::ReadOnly))
        return refused(path, file.errorString());
#endif
    const QByteArray data = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(path, file.errorString());
    if (data.size() > limit)
        return refused(path, tooLarge(data.size(), limit, what));
    return {data, {}};
}
