#include "line_status.h"

#include "comm_event.h"

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

QList<int> lineEventCodes(const LineStatus &before, const LineStatus &after) {
    QList<int> codes;
    if (before.counts && after.counts) {
        const LineErrorCounts &b = *before.counts;
        const LineErrorCounts &a = *after.counts;
        if (a.breaks != b.breaks)
            codes.append(CommEvent::Break);
        if (a.framing != b.framing)
            codes.append(CommEvent::Frame);
        if (a.overrun != b.overrun)
            codes.append(CommEvent::Overrun);
        if (a.bufferOverrun != b.bufferOverrun)
            codes.append(CommEvent::RxOver);
        if (a.parity != b.parity)
            codes.append(CommEvent::RxParity);
    }
    if (before.lines && after.lines) {
        const ModemLines &b = *before.lines;
        const ModemLines &a = *after.lines;
        if (a.carrierDetect != b.carrierDetect)
            codes.append(CommEvent::Cd);
        if (a.clearToSend != b.clearToSend)
            codes.append(CommEvent::Cts);
        if (a.dataSetReady != b.dataSetReady)
            codes.append(CommEvent::Dsr);
        if (a.ring && !b.ring)
            codes.append(CommEvent::Ring);
    }
    return codes;
}

namespace {

class KernelLineStatusProbe : public LineStatusProbe {
public:
    LineStatus read([[maybe_unused]] qintptr handle) override {
        LineStatus status;
#ifdef Q_OS_LINUX
        const int fd = static_cast<int>(handle);
        int bits = 0;
        if (::ioctl(fd, TIOCMGET, &bits) == 0) {
            status.lines = ModemLines{(bits & TIOCM_CD) != 0, (bits & TIOCM_CTS) != 0,
                                      (bits & TIOCM_DSR) != 0, (bits & TIOCM_RI) != 0};
        }
        serial_icounter_struct counters{};
        if (::ioctl(fd, TIOCGICOUNT, &counters) == 0) {
            status.counts = LineErrorCounts{
                static_cast<quint32>(counters.brk), static_cast<quint32>(counters.frame),
                static_cast<quint32>(counters.overrun), static_cast<quint32>(counters.buf_overrun),
                static_cast<quint32>(counters.parity)};
        }
#endif
        return status;
    }
};

} // namespace

std::shared_ptr<LineStatusProbe> kernelLineStatusProbe() {
    return std::make_shared<KernelLineStatusProbe>();
}
