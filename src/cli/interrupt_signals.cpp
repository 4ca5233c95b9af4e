#include "interrupt_signals.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int CaughtSignals[] = {SIGINT, SIGTERM, SIGHUP};

int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t signalReceived = 0;

// Async-signal-safe only: a flag and a write that never blocks.
extern "C" void noteSignal(int) {
    const int savedErrno = errno;
    signalReceived = 1;
    const char byte = 1;
    (void)!::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

InterruptSignals::InterruptSignals() {
    signalReceived = 0;
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their default action
    m_notifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &InterruptSignals::onSignalByte);
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a prompt's read returns at the signal
    for (std::size_t i = 0; i < std::size(CaughtSignals); ++i)
        ::sigaction(CaughtSignals[i], &action, &m_previous[i]);
}

InterruptSignals::~InterruptSignals() {
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < std::size(CaughtSignals); ++i)
        ::sigaction(CaughtSignals[i], &m_previous[i], nullptr);
    m_notifier.reset();
    for (int &fd : signalPipe) {
        ::close(fd);
        fd = -1;
    }
}

bool InterruptSignals::received() {
    return signalReceived != 0;
}

void InterruptSignals::onSignalByte() {
    char bytes[16];
    ssize_t count = 0;
    while ((count = ::read(signalPipe[0], bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < count; ++i)
            emit interrupted();
    }
}
