#include "port_failure.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
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
