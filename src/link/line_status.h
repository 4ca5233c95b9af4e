#pragma once

#include <QList>
#include <QtGlobal>
#include <memory>
#include <optional>

// What a serial device can tell about its line besides data: the modem-status lines and the
// driver's counts of line errors. A part the device cannot report stays empty.
struct ModemLines {
    bool carrierDetect = false;
    bool clearToSend = false;
    bool dataSetReady = false;
    bool ring = false;
    friend bool operator==(const ModemLines &, const ModemLines &) = default;
};

struct LineErrorCounts {
    quint32 breaks = 0;
    quint32 framing = 0;
    quint32 overrun = 0;       // the UART lost bytes
    quint32 bufferOverrun = 0; // the driver's receive buffer was full
    quint32 parity = 0;
    friend bool operator==(const LineErrorCounts &, const LineErrorCounts &) = default;
};

struct LineStatus {
    std::optional<ModemLines> lines;
    std::optional<LineErrorCounts> counts;
    [[nodiscard]] bool reportsAnything() const { return lines || counts; }
};

// The event codes (comm_event.h) for what changed between two readings, in the order of the
// event table: errors first, then line changes. A ring counts when the ring line comes on.
[[nodiscard]] QList<int> lineEventCodes(const LineStatus &before, const LineStatus &after);

// Reads the line status of an open device.
class LineStatusProbe {
public:
    virtual ~LineStatusProbe() = default;
    // handle: the device's native handle (a file descriptor on Unix).
    [[nodiscard]] virtual LineStatus read(qintptr handle) = 0;
};

// The operating system's view of a serial device: modem lines (TIOCMGET) and error counts
// (TIOCGICOUNT) on Linux. A pseudo-terminal reports neither; elsewhere it reports nothing.
[[nodiscard]] std::shared_ptr<LineStatusProbe> kernelLineStatusProbe();
