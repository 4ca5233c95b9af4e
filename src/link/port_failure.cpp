#include "port_failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString refusedOpenReason(OpenRefusal refusal, const QString &systemReason, bool runningAsRoot) {
    if (refusal == OpenRefusal::InUse)
        return InUseReason;
#ifdef Q_OS_LINUX
    if (!runningAsRoot)
        return systemReason + DialoutHint;
#else
    Q_UNUSED(runningAsRoot)
#endif
    return systemReason;
}

OpenRefusal whyOpenWasRefused([[maybe_unused]] const QString &devicePath) {
#ifdef Q_OS_UNIX
    const int fd =
        ::open(devicePath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return OpenRefusal::InUse;
    }
    return errno == EBUSY ? OpenRefusal::InUse : OpenRefusal::NotPermitted;
#else
    return OpenRefusal::NotPermitted;
#endif
}

QString readFailureReason([[maybe_unused]] qintptr handle) {
#ifdef Q_OS_UNIX
    pollfd device{static_cast<int>(handle), POLLIN, 0};
    if (::poll(&device, 1, 0) >= 0 && (device.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0)
        return OtherReaderReason;
#endif
    return DeviceLostReason;
}

QStringList programsUsingDevice([[maybe_unused]] const QString &devicePath) {
    QStringList programs;
#ifdef Q_OS_LINUX
    struct stat device {};
    if (::stat(QFile::encodeName(devicePath).constData(), &device) != 0 || !S_ISCHR(device.st_mode))
        return programs;
    // The slave end of pseudo-terminal N has its master open as /dev/ptmx with "tty-index: N".
    const QString canonical = QFileInfo(devicePath).canonicalFilePath();
    const QString ptyIndex = canonical.startsWith(QStringLiteral("/dev/pts/"))
                                 ? QStringLiteral("tty-index:\t%1\n").arg(canonical.mid(9))
                                 : QString();
    const QString self = QString::number(::getpid());
    const QDir proc(QStringLiteral("/proc"));
    const QDir::Filters anyEntry = QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot;
    for (const QString &pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (pid == self || !pid.front().isDigit())
            continue;
        bool uses = false;
        bool otherEnd = false;
        const QDir fds(proc.filePath(pid + QStringLiteral("/fd")));
        for (const QString &fd : fds.entryList(anyEntry)) {
            struct stat open {};
            const QString path = fds.filePath(fd);
            if (::stat(QFile::encodeName(path).constData(), &open) != 0)
                continue;
            uses = uses || (S_ISCHR(open.st_mode) && open.st_rdev == device.st_rdev);
            if (!ptyIndex.isEmpty() && QFile::symLinkTarget(path) == QStringLiteral("/dev/ptmx")) {
                QFile info(proc.filePath(pid + QStringLiteral("/fdinfo/") + fd));
                otherEnd = otherEnd || (info.open(QIODevice::ReadOnly) &&
                                        QString::fromLatin1(info.readAll()).contains(ptyIndex));
            }
        }
        if (!uses || otherEnd)
            continue;
        QFile comm(proc.filePath(pid + QStringLiteral("/comm")));
        const QString name = comm.open(QIODevice::ReadOnly)
                                 ? QString::fromLocal8Bit(comm.readAll()).trimmed()
                                 : QString();
        programs << QStringLiteral("%1 (PID %2)").arg(name, pid);
    }
#endif
    return programs;
}

QString withPrograms(const QString &reason, const QStringList &programs) {
    return programs.isEmpty()
               ? reason
               : QStringLiteral("%1: %2").arg(reason, programs.join(QStringLiteral(", ")));
}
