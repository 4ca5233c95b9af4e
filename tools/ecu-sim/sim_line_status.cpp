#include "sim_line_status.h"

LineStatus SimLineStatus::read(qintptr /*handle*/) {
    LineStatus status;
    status.lines = ModemLines{m_carrierDetect, m_clearToSend, m_dataSetReady, m_ring};
    status.counts = LineErrorCounts{m_breaks, m_framing, m_overrun, m_bufferOverrun, m_parity};
    return status;
}

void SimLineStatus::apply(LineEventKind kind) {
    switch (kind) {
    case LineEventKind::Break:
        ++m_breaks;
        break;
    case LineEventKind::Framing:
        ++m_framing;
        break;
    case LineEventKind::Overrun:
        ++m_overrun;
        break;
    case LineEventKind::Overflow:
        ++m_bufferOverrun;
        break;
    case LineEventKind::Parity:
        ++m_parity;
        break;
    case LineEventKind::CarrierDetect:
        m_carrierDetect = !m_carrierDetect;
        break;
    case LineEventKind::ClearToSend:
        m_clearToSend = !m_clearToSend;
        break;
    case LineEventKind::DataSetReady:
        m_dataSetReady = !m_dataSetReady;
        break;
    case LineEventKind::Ring:
        m_ring = !m_ring;
        break;
    }
}
