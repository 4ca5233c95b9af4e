#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <csignal>
#include <memory>

// SIGINT, SIGTERM and SIGHUP, caught while this object lives, so that Ctrl+C, a kill or a
// closed terminal ends a transfer at a point where what the ECU holds is known, instead of
// killing the program in the middle of a frame. The handler only notes the signal and writes a
// byte to a pipe; interrupted() comes from the event loop, which the link's waits run. A
// blocking read of the terminal returns at the signal: a prompt then counts as cancelled.
class InterruptSignals : public QObject {
    Q_OBJECT
public:
    InterruptSignals();
    ~InterruptSignals() override;
    InterruptSignals(const InterruptSignals &) = delete;
    InterruptSignals &operator=(const InterruptSignals &) = delete;

    // Whether one of the signals came while this object lived.
    [[nodiscard]] static bool received();

signals:
    // For each signal; a second one means "stop at once".
    void interrupted();

private:
    void onSignalByte();

    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_previous[3] = {};
};
