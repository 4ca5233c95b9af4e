#include "ecu_link.h"
#include "link_texts.h"
#include "serial_device.h"

#include <functional>
#include <optional>
#include <utility>

// The two-stage handshake that shifts the ECU into its data transmission mode. Success: port
// open, linkContinue true, watchdog stopped. Failure or cancel: port closed, linkContinue
// false, watchdog stopped, the window enabled again.
void EcuLink::runHandshake() {
    m_rxHex.clear();
    if (!m_op.confirm(IgnitionSwitchOff, MessageIcon::Exclamation)) {
        m_linkContinue = false;
        handshakeEpilogue();
        return;
    }
    m_port.setPortName(m_deviceName.isEmpty() ? serialDeviceName(m_portNo, m_settings)
                                              : m_deviceName);
    if (m_port.isOpen())
        m_port.close();
    if (!m_op.confirm(SwitchOnIgnition, MessageIcon::Exclamation)) {
        m_linkContinue = false;
        handshakeEpilogue();
        return;
    }

    // A port that does not open or refuses a setting fails the handshake as its first
    // comparison would with nothing received, before any byte is sent; the message's detail
    // gives the system's reason.
    if (const std::optional<QString> failure = openAndSetUpPort()) {
        failHandshake(ComInitBFeedbackError, *failure);
        return;
    }
    m_watchdog.start(WatchdogMs);
    // Whatever came before the greeting goes, and whatever is still on its way: the rest of an
    // answer to a transfer that stopped a moment ago would otherwise pass for the echo.
    do
        (void)m_port.takeInput();
    while (waitForBytes(1, QuietLineMs));
    if (!m_linkContinue) {
        handshakeEpilogue();
        return;
    }

    if (!handshakeStage(HandshakeStage::B))
        return;
    if (!handshakeStage(HandshakeStage::C))
        return;
    m_watchdog.stop();
}

// The port open with the line's settings: nullopt. Otherwise the port is closed again and the
// result says why, with the device's name.
std::optional<QString> EcuLink::openAndSetUpPort() {
    const LineSettings &line = EcuLineSettings;
    const QString parity = line.parity == 'n'   ? QStringLiteral("no parity")
                           : line.parity == 'e' ? QStringLiteral("even parity")
                                                : QStringLiteral("odd parity");
    const std::pair<QString, std::function<bool()>> settings[] = {
        {QStringLiteral("%1 baud").arg(line.baudRate),
         [&] { return m_port.setBaudRate(line.baudRate); }},
        {QStringLiteral("%1 data bits").arg(line.dataBits),
         [&] { return m_port.setDataBits(line.dataBits); }},
        {parity, [&] { return m_port.setParity(line.parity); }},
        {line.stopBits == 1 ? QStringLiteral("1 stop bit")
                            : QStringLiteral("%1 stop bits").arg(line.stopBits),
         [&] { return m_port.setStopBits(line.stopBits); }},
        {QStringLiteral("no flow control"), [&] { return m_port.setNoFlowControl(); }},
        {QStringLiteral("zero bytes kept"), [&] { return m_port.setNullDiscard(false); }},
    };
    if (!m_port.open())
        return portReason();
    for (const auto &[setting, apply] : settings) {
        if (!apply()) {
            const QString failure = QStringLiteral("%1: cannot set %2: %3")
                                        .arg(m_port.portName(), setting, m_port.errorString());
            m_port.close();
            return failure;
        }
    }
    m_port.setInputLen(0);
    return std::nullopt;
}

bool EcuLink::handshakeStage(HandshakeStage stage) {
    if (stopRequested()) {
        handshakeEpilogue();
        return false;
    }
    const bool b = stage == HandshakeStage::B;
    const QString greeting = hexText(greetingFrame(stage));
    sendFrameText(greeting);
    const bool echoed = receive(GreetingLength);
    if (!m_linkContinue) {
        handshakeEpilogue();
        return false;
    }
    if (!echoed || m_rxHex != greeting) {
        failHandshake(b ? ComInitBFeedbackError : ComInitCFeedbackError, portReason());
        return false;
    }
    const bool answered = receive(AnswerLength);
    if (!m_linkContinue) {
        handshakeEpilogue();
        return false;
    }
    if (!answered || m_rxHex != hexText(answerFrame(stage))) {
        failHandshake(b ? ComInitBResponseError : ComInitCResponseError, portReason());
        return false;
    }
    return true;
}

void EcuLink::failHandshake(const QString &message, const QString &detail) {
    // Stopped for good before the message: the watchdog must not add its own, now or later.
    m_watchdog.stop();
    tell(message, MessageIcon::Critical, detail);
    m_linkContinue = false;
    handshakeEpilogue();
}

void EcuLink::handshakeEpilogue() {
    enableWindow();
    closePort();
}
