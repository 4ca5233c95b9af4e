#pragma once

#include <QString>

// Event codes of the serial line, and the numbered message each is shown with.
namespace CommEvent {
constexpr int Break = 1001;
constexpr int CtsTimeout = 1002;
constexpr int DsrTimeout = 1003;
constexpr int Frame = 1004;
constexpr int Overrun = 1006;
constexpr int CdTimeout = 1007;
constexpr int RxOver = 1008;
constexpr int RxParity = 1009;
constexpr int TxFull = 1010;
constexpr int Dcb = 1011;
constexpr int Send = 1;
constexpr int Receive = 2;
constexpr int Cts = 3;
constexpr int Dsr = 4;
constexpr int Cd = 5;
constexpr int Ring = 6;
constexpr int Eof = 7;
} // namespace CommEvent

inline const QString CommErrorPrefix = QStringLiteral("communicaation Error --- Code:");

// The two-digit number of an event's message (1..17), or 0 for a code without one.
[[nodiscard]] int commEventNumber(int eventCode);
// "communicaation Error --- Code:" and the two digits; empty for a code without a message.
[[nodiscard]] QString commEventMessage(int eventCode);
