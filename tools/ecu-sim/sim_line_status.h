#pragma once

#include "link/line_status.h"
#include "sim_faults.h"

#include <atomic>

// The simulated line's status. A pseudo-terminal carries no modem lines and no line errors,
// so the in-process simulator hands this to the port in their place (QtSerialPort::
// setLineStatusProbe); its line-event fault changes it before the bytes it comes with.
class SimLineStatus : public LineStatusProbe {
public:
    [[nodiscard]] LineStatus read(qintptr handle) override;
    void apply(LineEventKind kind);

private:
    std::atomic<bool> m_carrierDetect{true};
    std::atomic<bool> m_clearToSend{true};
    std::atomic<bool> m_dataSetReady{true};
    std::atomic<bool> m_ring{false};
    std::atomic<quint32> m_breaks{0};
    std::atomic<quint32> m_framing{0};
    std::atomic<quint32> m_overrun{0};
    std::atomic<quint32> m_bufferOverrun{0};
    std::atomic<quint32> m_parity{0};
};
