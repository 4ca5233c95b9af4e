#include "sim_engine.h"

#include "image/ecu_layout.h"
#include "sim_memory.h"

#include <utility>

namespace {

char toChar(int value) {
    return static_cast<char>(static_cast<std::uint8_t>(value));
}

std::uint8_t at(const QByteArray &bytes, qsizetype index) {
    return static_cast<std::uint8_t>(bytes.at(index));
}

bool isWordAddress(int address) {
    return address >= EcuFirstWordAddress && address <= EcuLastWordAddress;
}

QByteArray payloadOf(const QString &text) {
    return bytesOfHexText(text + QLatin1Char(' '));
}

} // namespace

EcuSimEngine::EcuSimEngine(const EcuImage &memory, const SimFaults &faults)
    : m_memory(memory) {
    setFaults(faults);
}

void EcuSimEngine::setFaults(const SimFaults &faults) {
    m_faults = faults;
    if (!m_faults.productCode.isEmpty())
        setProductCode(m_memory, m_faults.productCode);
}

int EcuSimEngine::expectedLength(const QByteArray &frame) {
    const std::uint8_t first = at(frame, 0);
    if (first == GreetingStart) {
        if (frame.size() < 2)
            return 0;
        return at(frame, 1) == GreetingLength ? GreetingLength : -1;
    }
    if (first == RequestStart) {
        if (frame.size() < 4)
            return 0;
        const int length = at(frame, 3);
        if (at(frame, 1) != RequestStart ||
            (length != ReadRequestLength && length != WriteRequestLength))
            return -1;
        return length;
    }
    return -1;
}

EcuSimEngine::FrameKind EcuSimEngine::classify(const QByteArray &frame) {
    if (!sumsToZero(frame))
        return FrameKind::Malformed;
    if (at(frame, 0) == GreetingStart) {
        if (frame == greetingFrame(HandshakeStage::B))
            return FrameKind::GreetingB;
        if (frame == greetingFrame(HandshakeStage::C))
            return FrameKind::GreetingC;
        return FrameKind::Malformed;
    }
    const int command = at(frame, 2);
    if (command == ReadCommand && frame.size() == ReadRequestLength)
        return FrameKind::Read;
    if (command == WriteCommand && frame.size() == WriteRequestLength)
        return FrameKind::Write;
    return FrameKind::Malformed;
}

std::optional<FaultPoint> EcuSimEngine::pointOf(FrameKind kind) const {
    switch (kind) {
    case FrameKind::GreetingB:
        return FaultPoint{FaultPoint::Kind::StageB, 0};
    case FrameKind::GreetingC:
        if (m_mode == Mode::AwaitingC)
            return FaultPoint{FaultPoint::Kind::StageC, 0};
        return std::nullopt;
    case FrameKind::Read:
    case FrameKind::Write:
        if (m_mode == Mode::Data)
            return FaultPoint{FaultPoint::Kind::DataFrame, m_dataFrames + 1};
        return std::nullopt;
    case FrameKind::Malformed:
        break;
    }
    return std::nullopt;
}

bool EcuSimEngine::takeFault(std::optional<FaultPoint> &fault,
                             const std::optional<FaultPoint> &point) {
    if (!fault || !point || *fault != *point)
        return false;
    fault.reset();
    return true;
}

EcuSimEngine::Output EcuSimEngine::receive(const QByteArray &bytes, std::int64_t nowNs) {
    Output out;
    if (bytes.isEmpty())
        return out;
    const std::int64_t quiet = m_heardAnything ? nowNs - m_lastByteNs : ReplugQuietNs;
    if (m_cablePulled && quiet >= ReplugQuietNs) {
        m_cablePulled = false;
        m_frame.clear();
    }
    if (quiet > FrameGapNs)
        m_frame.clear();
    m_lastByteNs = nowNs;
    m_heardAnything = true;

    for (char byte : bytes) {
        ++m_stats.bytesReceived;
        if (m_cablePulled) {
            out.bytes.append(byte); // the adapter's echo; the ECU hears nothing
            continue;
        }
        m_frame.append(byte);
        const int length = expectedLength(m_frame);
        if (length < 0) {
            ++m_stats.framesIgnored;
            m_frame.clear();
            out.bytes.append(byte);
            continue;
        }
        if (length == 0 || m_frame.size() < length) {
            out.bytes.append(byte);
            continue;
        }

        const FrameKind kind = classify(m_frame);
        const std::optional<FaultPoint> point = pointOf(kind);
        if (takeFault(m_faults.loseEchoByte, point)) {
            m_frame.chop(1); // lost on the line: the ECU waits for it
            continue;
        }
        out.bytes.append(takeFault(m_faults.changeEchoByte, point) ? toChar(byte ^ 0x01) : byte);
        acceptFrame(std::exchange(m_frame, {}), kind, out);
        if (out.hangup)
            return out;
    }
    return out;
}

void EcuSimEngine::acceptFrame(const QByteArray &frame, FrameKind kind, Output &out) {
    switch (kind) {
    case FrameKind::GreetingB:
        answerGreeting(HandshakeStage::B, out);
        return;
    case FrameKind::GreetingC:
        if (m_mode == Mode::AwaitingC) {
            answerGreeting(HandshakeStage::C, out);
            return;
        }
        break;
    case FrameKind::Read:
    case FrameKind::Write:
        if (m_mode == Mode::Data && isWordAddress(at(frame, 4))) {
            answerData(frame, kind, out);
            return;
        }
        break;
    case FrameKind::Malformed:
        break;
    }
    ++m_stats.framesIgnored;
}

void EcuSimEngine::answerGreeting(HandshakeStage stage, Output &out) {
    const bool b = stage == HandshakeStage::B;
    m_mode = b ? Mode::AwaitingC : Mode::Normal;
    if (b && m_faults.lineEvent && m_faults.lineEvent->frame == 0) {
        out.lineEvent = m_faults.lineEvent->kind;
        m_faults.lineEvent.reset();
    }
    if (m_faults.silentAt == stage) {
        m_faults.silentAt.reset();
        return;
    }
    if (m_faults.wrongAnswerAt == stage) {
        m_faults.wrongAnswerAt.reset();
        QByteArray payload = payloadOf(b ? AnswerPayloadB : AnswerPayloadC);
        payload[0] = toChar(at(payload, 0) ^ 0x10);
        out.bytes.append(answerFrameWith(payload));
        return;
    }
    out.bytes.append(answerFrame(stage));
    if (!b) {
        m_mode = Mode::Data;
        m_dataFrames = 0;
        m_badRepliesSent.clear();
        ++m_stats.handshakes;
    }
}

void EcuSimEngine::answerData(const QByteArray &frame, FrameKind kind, Output &out) {
    const int index = ++m_dataFrames;
    if (m_faults.lineEvent && m_faults.lineEvent->frame == index) {
        out.lineEvent = m_faults.lineEvent->kind;
        m_faults.lineEvent.reset();
    }
    if (m_faults.hangupAfter && index > *m_faults.hangupAfter) {
        m_faults.hangupAfter.reset();
        out.hangup = true;
        return;
    }
    if (m_faults.silentAfter && index > *m_faults.silentAfter) {
        m_faults.silentAfter.reset();
        m_cablePulled = true;
        return;
    }

    const int address = at(frame, 4);
    const int offset = EcuImage::offsetOfWord(address);
    if (kind == FrameKind::Read) {
        QByteArray reply = readReply(m_memory.byte(offset), m_memory.byte(offset + 1));
        const bool badWord = !m_faults.badChecksumWord || *m_faults.badChecksumWord == address;
        if (m_faults.badChecksums > 0 && badWord &&
            m_badRepliesSent[address] < m_faults.badChecksums) {
            ++m_badRepliesSent[address];
            reply.back() = toChar(reply.back() + 1);
        }
        ++m_stats.wordsRead;
        out.bytes.append(reply);
        return;
    }

    // The ECU keeps its own contents in the protected areas.
    if (!isProtectedOffset(offset) && m_faults.stuckWord != address) {
        m_memory.setByte(offset, at(frame, 5));
        m_memory.setByte(offset + 1, at(frame, 6));
    }
    ++m_stats.wordsWritten;
    QByteArray acknowledge = writeAcknowledge();
    if (m_faults.wrongAcknowledgeAt == index) {
        m_faults.wrongAcknowledgeAt.reset();
        acknowledge[2] = toChar(at(acknowledge, 2) ^ 0x01);
    }
    out.bytes.append(acknowledge);
}
