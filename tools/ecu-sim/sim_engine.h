#pragma once

#include "image/ecu_image.h"
#include "sim_faults.h"

#include <QByteArray>
#include <cstdint>
#include <map>
#include <optional>

struct SimStats {
    qint64 bytesReceived = 0;
    int handshakes = 0;    // answered stage C
    int wordsRead = 0;     // read replies sent, bad ones included
    int wordsWritten = 0;  // write requests acknowledged
    int framesIgnored = 0; // malformed, or not expected in the ECU's state
};

// The ECU as the line sees it, without any I/O: bytes in, bytes out. Every byte that reaches
// the line comes back as its echo; a complete frame with a right length and checksum gets the
// ECU's answer after its echo; anything else gets silence, as from an ECU.
//
// The ECU answers data frames only after the two handshake stages. A greeting for stage B
// starts a new handshake at any time. A partial frame is dropped after a pause on the line.
class EcuSimEngine {
public:
    struct Output {
        QByteArray bytes; // echo and answers, in line order
        std::optional<LineEventKind> lineEvent;
        bool hangup = false; // the device went away: drop the output
    };

    EcuSimEngine(const EcuImage &memory, const SimFaults &faults);

    // Bytes received at time nowNs (any monotonic clock, nanoseconds).
    [[nodiscard]] Output receive(const QByteArray &bytes, std::int64_t nowNs);

    [[nodiscard]] const EcuImage &memory() const { return m_memory; }
    [[nodiscard]] const SimStats &stats() const { return m_stats; }
    void setFaults(const SimFaults &faults);

    static constexpr std::int64_t FrameGapNs = 50'000'000;     // drops a partial frame
    static constexpr std::int64_t ReplugQuietNs = 500'000'000; // ends a pulled cable

private:
    enum class Mode { Normal, AwaitingC, Data };
    enum class FrameKind { Malformed, GreetingB, GreetingC, Read, Write };

    [[nodiscard]] static int expectedLength(const QByteArray &frame);
    [[nodiscard]] static FrameKind classify(const QByteArray &frame);
    [[nodiscard]] std::optional<FaultPoint> pointOf(FrameKind kind) const;
    [[nodiscard]] bool takeFault(std::optional<FaultPoint> &fault,
                                 const std::optional<FaultPoint> &point);
    void acceptFrame(const QByteArray &frame, FrameKind kind, Output &out);
    void answerGreeting(HandshakeStage stage, Output &out);
    void answerData(const QByteArray &frame, FrameKind kind, Output &out);

    EcuImage m_memory;
    SimFaults m_faults;
    SimStats m_stats;
    Mode m_mode = Mode::Normal;
    QByteArray m_frame;
    std::int64_t m_lastByteNs = 0;
    bool m_heardAnything = false;
    bool m_cablePulled = false;
    int m_dataFrames = 0;                // since the last handshake
    std::map<int, int> m_badRepliesSent; // per word, since the last handshake
};
