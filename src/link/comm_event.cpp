#include "comm_event.h"

#include <array>
#include <utility>

namespace {

// Message number and event code, in the order the messages are numbered.
constexpr std::array<std::pair<int, int>, 17> Numbers{{
    {1, CommEvent::Break},
    {2, CommEvent::CdTimeout},
    {3, CommEvent::CtsTimeout},
    {4, CommEvent::DsrTimeout},
    {5, CommEvent::Frame},
    {6, CommEvent::Overrun},
    {7, CommEvent::RxOver},
    {8, CommEvent::RxParity},
    {9, CommEvent::TxFull},
    {10, CommEvent::Dcb},
    {11, CommEvent::Cd},
    {12, CommEvent::Cts},
    {13, CommEvent::Dsr},
    {14, CommEvent::Ring},
    {15, CommEvent::Receive},
    {16, CommEvent::Send},
    {17, CommEvent::Eof},
}};

} // namespace

int commEventNumber(int eventCode) {
    for (const auto &[number, code] : Numbers) {
        if (code == eventCode)
            return number;
    }
    return 0;
}

QString commEventMessage(int eventCode) {
    const int number = commEventNumber(eventCode);
    if (number == 0)
        return {};
    return CommErrorPrefix + QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}
