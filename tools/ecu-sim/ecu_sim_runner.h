#pragma once

#include "image/ecu_image.h"
#include "link/line_status.h"
#include "sim_engine.h"
#include "sim_faults.h"

#include <QString>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

class PtyLine;
class SimLineStatus;

struct EcuSimConfig {
    // Each byte takes its time on the line at 9600 baud (about 1.042 ms), as on the real wire.
    bool paced = false;
    // A symlink to the slave device, when not empty.
    QString linkPath;
    SimFaults faults;
};

// The simulated ECU on a pseudo-terminal, answering on a thread of its own until stop().
//
//     EcuSimRunner sim(memory);                   // or EcuSimRunner sim(memory, {.paced = true})
//     ASSERT_TRUE(sim.isRunning()) << sim.errorString();
//     settings.writeText("CommProt", "COM1", sim.devicePath());
//     ... read or write through the link on port 1 ...
//     EXPECT_EQ(sim.memory(), expected);
class EcuSimRunner {
public:
    explicit EcuSimRunner(const EcuImage &memory, const EcuSimConfig &config = {});
    ~EcuSimRunner();
    EcuSimRunner(const EcuSimRunner &) = delete;
    EcuSimRunner &operator=(const EcuSimRunner &) = delete;

    [[nodiscard]] bool isRunning() const;
    [[nodiscard]] QString errorString() const;

    // The slave device of the pseudo-terminal (it changes when the device went away).
    [[nodiscard]] QString slavePath() const;
    // The link path when one was given, else the slave path: what the program should open.
    [[nodiscard]] QString devicePath() const;

    // The ECU's memory as it is now.
    [[nodiscard]] EcuImage memory() const;
    [[nodiscard]] SimStats stats() const;
    // Replaces the faults; the ones that fire once are armed again.
    void setFaults(const SimFaults &faults);

    // The line status the port should read in place of the kernel's (QtSerialPort::
    // setLineStatusProbe), so that the line-event fault reaches the program.
    [[nodiscard]] std::shared_ptr<LineStatusProbe> lineStatusProbe() const;

    // Stops the thread and removes the link; the memory stays readable.
    void stop();

    static constexpr std::int64_t ByteTimeNs = 1'041'667; // 10 bits at 9600 baud

private:
    void run();
    void takeInput(QByteArray &pending, std::int64_t &pendingSince);
    void sendAll(const QByteArray &bytes);
    void sendPaced(QByteArray &pending, std::int64_t &pendingSince);
    void replaceDevice();
    [[nodiscard]] bool waitForLine(short events);

    mutable std::mutex m_mutex; // guards the engine, the line's paths and the error
    EcuSimEngine m_engine;
    std::unique_ptr<PtyLine> m_line;
    std::shared_ptr<SimLineStatus> m_lineStatus;
    QString m_linkPath;
    QString m_error;
    bool m_paced = false;
    int m_wakeFd = -1;
    std::atomic<bool> m_stopping{false};
    std::int64_t m_lineFreeNs = 0;
    std::thread m_thread;
};
