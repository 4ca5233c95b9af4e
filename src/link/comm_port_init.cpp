#include "ecu_link.h"
#include "link_texts.h"
#include "serial_device.h"

// The two-stage handshake that shifts the ECU into its data transmission mode. Success: port
// open, LinkContinue true, watchdog stopped. Failure or cancel: port closed, LinkContinue
// false, watchdog stopped, the window enabled again.
void EcuLink::CommPort_Init() {
    m_RxHex.clear();
    if (!m_op.confirm(IgnitionSwitchOff, MessageIcon::Exclamation)) {
        m_LinkContinue = false;
        handshakeEpilogue();
        return;
    }
    m_port.setPortName(m_deviceName.isEmpty() ? serialDeviceName(m_PortNo, m_settings)
                                              : m_deviceName);
    if (m_port.isOpen())
        m_port.close();
    if (!m_op.confirm(SwitchOnIgnition, MessageIcon::Exclamation)) {
        m_LinkContinue = false;
        handshakeEpilogue();
        return;
    }

    // Errors of the port are not reported as such: a port that did not open delivers nothing,
    // and the handshake fails on its own comparisons.
    (void)m_port.open();
    (void)m_port.setLineSettings(EcuLineSettings);
    (void)m_port.setNoFlowControl();
    (void)m_port.setNullDiscard(false);
    m_port.setInputLen(0);
    m_Timer1.start(WatchdogMs);
    (void)m_port.takeInput(); // whatever came before the greeting

    if (!handshakeStage(HandshakeStage::B))
        return;
    if (!handshakeStage(HandshakeStage::C))
        return;
    m_Timer1.stop();
}

bool EcuLink::handshakeStage(HandshakeStage stage) {
    const bool b = stage == HandshakeStage::B;
    const QString greeting = hexText(greetingFrame(stage));
    TX_command(greeting);
    const bool echoed = Reception_data(GreetingLength);
    if (!m_LinkContinue) {
        handshakeEpilogue();
        return false;
    }
    if (!echoed || m_RxHex != greeting) {
        failHandshake(b ? ComInitBFeedbackError : ComInitCFeedbackError);
        return false;
    }
    const bool answered = Reception_data(AnswerLength);
    if (!m_LinkContinue) {
        handshakeEpilogue();
        return false;
    }
    if (!answered || m_RxHex != hexText(answerFrame(stage))) {
        failHandshake(b ? ComInitBResponseError : ComInitCResponseError);
        return false;
    }
    return true;
}

void EcuLink::failHandshake(const QString &message) {
    // Stopped before the message: the watchdog must not add its own while this one is open.
    m_Timer1.stop();
    m_op.tell(message, MessageIcon::Critical, portReason());
    m_LinkContinue = false;
    handshakeEpilogue();
}

void EcuLink::handshakeEpilogue() {
    enableWindow();
    closePort();
}
