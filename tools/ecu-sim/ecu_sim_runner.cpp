#include "ecu_sim_runner.h"

#include "pty_line.h"
#include "sim_line_status.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

std::int64_t nowNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

void sleepUntil(std::int64_t deadlineNs) {
    const timespec deadline{static_cast<time_t>(deadlineNs / 1'000'000'000),
                            static_cast<long>(deadlineNs % 1'000'000'000)};
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

} // namespace

EcuSimRunner::EcuSimRunner(const EcuImage &memory, const EcuSimConfig &config)
    : m_engine(memory, config.faults)
    , m_line(std::make_unique<PtyLine>())
    , m_lineStatus(std::make_shared<SimLineStatus>())
    , m_linkPath(config.linkPath)
    , m_paced(config.paced) {
    QString error;
    if (!m_line->open(error) || (!m_linkPath.isEmpty() && !m_line->linkAt(m_linkPath, error))) {
        m_error = error;
        m_line->close();
        return;
    }
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd < 0) {
        m_error = QStringLiteral("eventfd failed");
        m_line->unlink();
        m_line->close();
        return;
    }
    m_thread = std::thread([this] { run(); });
}

EcuSimRunner::~EcuSimRunner() {
    stop();
}

bool EcuSimRunner::isRunning() const {
    return m_thread.joinable() && !m_stopping;
}

QString EcuSimRunner::errorString() const {
    const std::lock_guard lock(m_mutex);
    return m_error;
}

QString EcuSimRunner::slavePath() const {
    const std::lock_guard lock(m_mutex);
    return m_line->slavePath();
}

QString EcuSimRunner::devicePath() const {
    return m_linkPath.isEmpty() ? slavePath() : m_linkPath;
}

EcuImage EcuSimRunner::memory() const {
    const std::lock_guard lock(m_mutex);
    return m_engine.memory();
}

SimStats EcuSimRunner::stats() const {
    const std::lock_guard lock(m_mutex);
    return m_engine.stats();
}

void EcuSimRunner::setFaults(const SimFaults &faults) {
    const std::lock_guard lock(m_mutex);
    m_engine.setFaults(faults);
}

std::shared_ptr<LineStatusProbe> EcuSimRunner::lineStatusProbe() const {
    return m_lineStatus;
}

void EcuSimRunner::stop() {
    if (m_thread.joinable()) {
        m_stopping = true;
        const std::uint64_t one = 1;
        (void)!::write(m_wakeFd, &one, sizeof one);
        m_thread.join();
    }
    if (m_wakeFd >= 0) {
        ::close(m_wakeFd);
        m_wakeFd = -1;
    }
    const std::lock_guard lock(m_mutex);
    m_line->unlink();
    m_line->close();
}

// Waits until the line is ready for the events, or stop() is called (false).
bool EcuSimRunner::waitForLine(short events) {
    pollfd fds[2] = {{m_line->masterFd(), events, 0}, {m_wakeFd, POLLIN, 0}};
    for (;;) {
        if (m_stopping)
            return false;
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (fds[1].revents & POLLIN))
            return false;
        if (fds[0].revents & (events | POLLHUP | POLLERR))
            return true;
    }
}

void EcuSimRunner::run() {
    // Wake-ups on time to the microsecond rather than within the default 50 us slack.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    QByteArray pending;
    std::int64_t pendingSince = 0;
    while (!m_stopping) {
        if (pending.isEmpty()) {
            if (!waitForLine(POLLIN))
                return;
            takeInput(pending, pendingSince);
        } else if (m_paced) {
            sendPaced(pending, pendingSince);
        } else {
            sendAll(std::exchange(pending, {}));
        }
    }
}

void EcuSimRunner::takeInput(QByteArray &pending, std::int64_t &pendingSince) {
    char buffer[512];
    for (;;) {
        const ssize_t count = ::read(m_line->masterFd(), buffer, sizeof buffer);
        if (count <= 0) {
            // Nothing more for now. An error other than "try again" cannot happen while the
            // simulator holds the slave open; a short pause keeps it from spinning if it does.
            if (count < 0 && errno != EAGAIN && errno != EINTR)
                ::usleep(10'000);
            return;
        }
        const std::int64_t now = nowNs();
        EcuSimEngine::Output out;
        if (!m_line->atEcuSpeed()) {
            // At another speed the ECU hears noise and stays silent; the program still gets
            // the echo, which its own port sends and receives at the same speed.
            out.bytes = QByteArray(buffer, count);
        } else {
            const std::lock_guard lock(m_mutex);
            out = m_engine.receive(QByteArray(buffer, count), now);
        }
        // The line status changes before the bytes it comes with reach the program.
        if (out.lineEvent)
            m_lineStatus->apply(*out.lineEvent);
        if (out.hangup) {
            pending.clear();
            replaceDevice();
            return;
        }
        if (pending.isEmpty())
            pendingSince = now;
        pending.append(out.bytes);
    }
}

void EcuSimRunner::sendAll(const QByteArray &bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count =
            ::write(m_line->masterFd(), bytes.constData() + sent, bytes.size() - sent);
        if (count > 0) {
            sent += count;
        } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        } else if (!waitForLine(POLLOUT)) {
            return;
        }
    }
}

// One byte per byte time, each at its own absolute deadline: a late wake-up does not move the
// bytes after it. Bytes go out no earlier than one byte time after what they answer arrived.
void EcuSimRunner::sendPaced(QByteArray &pending, std::int64_t &pendingSince) {
    const std::int64_t deadline = std::max(m_lineFreeNs, pendingSince) + ByteTimeNs;
    sleepUntil(deadline);
    m_lineFreeNs = deadline;
    sendAll(pending.first(1));
    pending.remove(0, 1);
    // A request that comes meanwhile waits in the terminal's buffer: it would queue behind
    // what is still to send anyway.
}

// The device went away: the program's port sees its end vanish, and a new device appears
// under the same link path, as a USB adapter plugged in again would.
void EcuSimRunner::replaceDevice() {
    const std::lock_guard lock(m_mutex);
    const QString link = m_linkPath;
    m_line->close();
    QString error;
    if (!m_line->open(error) || (!link.isEmpty() && !m_line->linkAt(link, error)))
        m_error = error;
}
