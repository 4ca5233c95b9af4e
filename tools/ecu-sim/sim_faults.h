#pragma once

#include "link/frames.h"

#include <QString>
#include <optional>

// Where a fault strikes: at a handshake stage, or at the n-th data frame (a read or write
// request) after the handshake, counted from 1.
struct FaultPoint {
    enum class Kind { StageB, StageC, DataFrame };
    Kind kind = Kind::DataFrame;
    int frame = 0; // DataFrame only
    friend bool operator==(const FaultPoint &, const FaultPoint &) = default;
};

// What a line event is: a line error, or a change of a modem-status line.
enum class LineEventKind {
    Break,
    Framing,
    Overrun,
    Overflow,
    Parity,
    CarrierDetect,
    ClearToSend,
    DataSetReady,
    Ring,
};

struct LineEventFault {
    LineEventKind kind = LineEventKind::CarrierDetect;
    int frame = 0; // the data frame it comes with; 0: the answer to the stage-B greeting
    friend bool operator==(const LineEventFault &, const LineEventFault &) = default;
};

// The faults the simulated ECU can show. Each fires once, at its first occasion, except the
// bad checksums, the product code and the stuck word, which are properties of the ECU.
struct SimFaults {
    // The last byte of the frame is lost on the line: no echo of it, and the ECU waits for it.
    std::optional<FaultPoint> loseEchoByte;
    // The echo of the frame's last byte comes back changed; the ECU got the frame right.
    std::optional<FaultPoint> changeEchoByte;
    // The first badChecksums replies to each read of a word carry a wrong checksum, per
    // handshake; only for badChecksumWord when that is set.
    int badChecksums = 0;
    std::optional<int> badChecksumWord;
    // No answer at this stage; the line still echoes the greeting.
    std::optional<HandshakeStage> silentAt;
    // An answer with a wrong payload byte (and a checksum that fits it).
    std::optional<HandshakeStage> wrongAnswerAt;
    // The first four characters of the ECU's marker (another product), when not empty.
    QString productCode;
    // After this many data frames the cable to the ECU is pulled: the line echoes but the ECU
    // hears nothing, until the line has been quiet for half a second.
    std::optional<int> silentAfter;
    // The acknowledge of this data frame is wrong.
    std::optional<int> wrongAcknowledgeAt;
    // A line event that comes with a data frame.
    std::optional<LineEventFault> lineEvent;
    // After this many data frames the device goes away (a pulled USB adapter); a new one
    // appears under the same link path at once.
    std::optional<int> hangupAfter;
    // A word that acknowledges writes but keeps its contents (a worn-out cell).
    std::optional<int> stuckWord;
};
