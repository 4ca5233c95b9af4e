#include "pty_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError(const char *what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PtyLine::~PtyLine() {
    unlink();
    close();
}

bool PtyLine::open(QString &error) {
    close();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0) {
        error = systemError("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
        ::ptsname_r(m_master, name, sizeof name) != 0) {
        error = systemError("pseudo-terminal");
        close();
        return false;
    }
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        error = systemError(name);
        close();
        return false;
    }
    termios settings{};
    ::tcgetattr(m_slave, &settings);
    ::cfmakeraw(&settings);
    ::cfsetspeed(&settings, B9600);
    ::tcsetattr(m_slave, TCSANOW, &settings);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_slavePath = QString::fromLocal8Bit(name);
    return true;
}

bool PtyLine::atEcuSpeed() const {
    termios settings{};
    return ::tcgetattr(m_slave, &settings) == 0 && ::cfgetispeed(&settings) == B9600 &&
           ::cfgetospeed(&settings) == B9600;
}

void PtyLine::close() {
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
    m_slavePath.clear();
}

bool PtyLine::linkAt(const QString &path, QString &error) {
    const QByteArray target = m_slavePath.toLocal8Bit();
    const QByteArray link = path.toLocal8Bit();
    struct stat info {};
    if (::lstat(link.constData(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            error = QStringLiteral("%1 exists and is not a symlink").arg(path);
            return false;
        }
        ::unlink(link.constData());
    }
    if (::symlink(target.constData(), link.constData()) != 0) {
        error = systemError(link.constData());
        return false;
    }
    m_linkPath = path;
    return true;
}

void PtyLine::unlink() {
    if (m_linkPath.isEmpty())
        return;
    const QByteArray link = m_linkPath.toLocal8Bit();
    char target[256] = {};
    const ssize_t length = ::readlink(link.constData(), target, sizeof target - 1);
    // Only our own link: another simulator may have taken the path meanwhile.
    if (length > 0 && QString::fromLocal8Bit(target, length) == m_slavePath)
        ::unlink(link.constData());
    m_linkPath.clear();
}
