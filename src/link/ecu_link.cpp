#include "ecu_link.h"

#include "comm_event.h"
#include "link_texts.h"
#include "port_failure.h"

#include <QEventLoop>
#include <utility>

EcuLink::EcuLink(SerialPort &port, Operator &op, const SettingsStore &settings, QObject *parent)
    : QObject(parent)
    , m_port(port)
    , m_op(op)
    , m_settings(settings) {
    m_watchdog.setInterval(WatchdogMs);
    m_watchdog.setTimerType(Qt::PreciseTimer);
    connect(&m_watchdog, &QTimer::timeout, this, &EcuLink::onWatchdogExpired);
    m_receptionBound.setSingleShot(true);
    m_receptionBound.setTimerType(Qt::PreciseTimer);
    connect(&m_receptionBound, &QTimer::timeout, this, [this] {
        m_boundExpired = true;
        wake();
    });
    connect(&m_port, &SerialPort::readyRead, this, &EcuLink::onReadyRead);
    connect(&m_port, &SerialPort::portFailed, this, &EcuLink::wake);
    connect(&m_port, &SerialPort::commEvent, this, &EcuLink::onCommEvent);
}

EcuLink::~EcuLink() {
    m_watchdog.stop();
    closePort();
}

void EcuLink::setPortNo(int portNo) {
    m_portNo = portNo;
}

int EcuLink::portNo() const {
    return m_portNo;
}

void EcuLink::setDeviceName(const QString &deviceName) {
    m_deviceName = deviceName;
}

void EcuLink::sendFrameText(const QString &frameText) {
    (void)m_port.sendOutput(bytesOfHexText(frameText));
}

void EcuLink::sendRequest(const QByteArray &frame) {
    m_txHex = hexText(frame);
    (void)m_port.sendOutput(frame);
}

bool EcuLink::receive(int count) {
    if (!waitForBytes(count))
        return false;
    m_port.setInputLen(count);
    m_rxHex = hexText(m_port.takeInput());
    return true;
}

bool EcuLink::waitForBytes(int count, int boundMs) {
    if (m_port.bytesAvailable() >= count)
        return true;
    // The watchdog bounds the waits of the handshake; after it every wait has its own bound,
    // so that no transfer can hang.
    m_boundExpired = false;
    if (boundMs >= 0)
        m_receptionBound.start(boundMs);
    else if (!m_watchdog.isActive())
        m_receptionBound.start(ReceptionBoundMs);
    QEventLoop loop;
    QEventLoop *outer = std::exchange(m_waitLoop, &loop);
    m_waitCount = count;
    bool received = false;
    for (;;) {
        if (!m_linkContinue || !m_port.isOpen())
            break;
        // Checked before the bound: bytes that came while a message box was open count.
        if (m_port.bytesAvailable() >= count) {
            received = true;
            break;
        }
        if (m_boundExpired)
            break;
        loop.exec();
    }
    m_receptionBound.stop();
    m_waitLoop = outer;
    return received;
}

bool EcuLink::stopRequested() {
    if (m_interruptRequests == 0)
        return false;
    m_linkContinue = false;
    return true;
}

void EcuLink::interrupt() {
    if (!m_transferring)
        return;
    if (++m_interruptRequests > 1 || m_writePhase != WritePhase::PartlyWritten) {
        m_linkContinue = false;
        wake();
    }
}

void EcuLink::wake() {
    if (m_waitLoop)
        m_waitLoop->quit();
}

void EcuLink::onReadyRead() {
    // Bytes come one at a time on a slow line: the wait goes on until all it waits for came.
    if (m_waitLoop && m_port.bytesAvailable() >= m_waitCount)
        m_waitLoop->quit();
}

void EcuLink::onCommEvent(int eventCode) {
    const QString message = commEventMessage(eventCode);
    if (!message.isEmpty())
        tell(message, MessageIcon::Critical);
    wake();
}

void EcuLink::onWatchdogExpired() {
    m_linkContinue = false;
    m_watchdog.stop();
    tell(NotInTransmissionMode, MessageIcon::Critical, portReason());
    wake();
}

EcuLink::PausedTimers EcuLink::pauseTimers() {
    PausedTimers paused;
    if (m_watchdog.isActive())
        paused.watchdogMs = m_watchdog.remainingTime();
    if (m_receptionBound.isActive())
        paused.boundMs = m_receptionBound.remainingTime();
    m_watchdog.stop();
    m_receptionBound.stop();
    return paused;
}

void EcuLink::resumeTimers(const PausedTimers &paused) {
    // Only for a transfer that goes on: a box that ends it leaves both stopped.
    if (!m_linkContinue || !m_port.isOpen())
        return;
    if (paused.watchdogMs >= 0)
        m_watchdog.start(paused.watchdogMs);
    if (paused.boundMs >= 0)
        m_receptionBound.start(paused.boundMs);
}

void EcuLink::tell(const QString &text, MessageIcon icon, const QString &detail) {
    const PausedTimers paused = pauseTimers();
    m_op.tell(text, icon, detail);
    resumeTimers(paused);
}

int EcuLink::ask(const Question &question) {
    const PausedTimers paused = pauseTimers();
    const int answer = m_op.ask(question);
    resumeTimers(paused);
    return answer;
}

EcuLink::Exchange EcuLink::missing(const QString &message) {
    if (!m_linkContinue)
        return Exchange::Stopped;
    // On a kept session the first request finds out whether the ECU still answers; when it does
    // not, the caller shakes hands anew, and there is nothing to tell yet.
    if (m_onKeptSession)
        return Exchange::Failed;
    tellFailure(message);
    return Exchange::Failed;
}

QString EcuLink::portReason() const {
    QString reason = m_port.errorString();
    // A port that works but stays silent or garbled: another program may take the answers.
    if (reason.isEmpty()) {
        if (const QStringList others = m_port.programsSharingPort(); !others.isEmpty())
            reason = withPrograms(OtherProgramsReason, others);
    }
    return reason.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(m_port.portName(), reason);
}

void EcuLink::tellFailure(const QString &message) {
    QStringList detail;
    if (m_writePhase == WritePhase::PartlyWritten)
        detail << PartlyWrittenDetail;
    else if (m_writePhase == WritePhase::AllWritten)
        detail << WrittenNotVerifiedDetail;
    if (const QString reason = portReason(); !reason.isEmpty())
        detail << reason;
    if (m_writePhase != WritePhase::PartlyWritten || m_writeAgainOffer == WriteAgainOffer::No) {
        tell(message, MessageIcon::Critical, detail.join(QLatin1Char('\n')));
        return;
    }
    const Question question{message,
                            MessageIcon::Critical,
                            {QStringLiteral("OK"), WriteAgainButton},
                            0,
                            detail.join(QLatin1Char('\n'))};
    m_writeAgainChosen = ask(question) == 1;
}

EcuLink::Exchange EcuLink::readWord(int wordAddress, QByteArray &reply) {
    for (int retries = 0;;) {
        if (stopRequested())
            return Exchange::Stopped;
        sendRequest(readRequest(wordAddress));
        if (!receive(ReadRequestLength))
            return missing(CommunicationBoxIncorrect);
        if (m_rxHex != m_txHex)
            return missing(CommunicationBoxIncorrect);
        if (!receive(ReadReplyLength))
            return missing(CommunicationBoxIncorrect);
        reply = bytesOfHexText(m_rxHex);
        if (sumsToZero(reply))
            return Exchange::Done;
        // The bound counts per word: a long read may meet a few bad replies anywhere.
        if (++retries >= ChecksumRetryLimit)
            return missing(CommunicationBoxIncorrect);
    }
}

EcuLink::Exchange EcuLink::writeWord(int wordAddress, std::uint8_t data1, std::uint8_t data2) {
    if (stopRequested())
        return Exchange::Stopped;
    sendRequest(writeRequest(wordAddress, data1, data2));
    if (!receive(WriteRequestLength) || m_rxHex != m_txHex)
        return missing(CommunicationFeedbackError);
    if (!receive(WriteAcknowledgeLength) || m_rxHex != WriteAcknowledge)
        return missing(CommunicationResponseError);
    return Exchange::Done;
}

EcuLink::Exchange EcuLink::readAllWords(EcuImage &into, int &done, int total) {
    // Ascending word addresses 0x20..0xFF: row by row, columns 0, 2, ..., 14.
    for (int offset = 0; offset < EcuImageSize; offset += 2) {
        QByteArray reply;
        const Exchange result = readWord(EcuImage::wordAddressOf(offset), reply);
        if (result != Exchange::Done)
            return result;
        into.setByte(offset, static_cast<std::uint8_t>(reply.at(ReplyDataIndex)));
        into.setByte(offset + 1, static_cast<std::uint8_t>(reply.at(ReplyDataIndex + 1)));
        emit progress(++done, total);
    }
    return Exchange::Done;
}

bool EcuLink::startTransfer(bool onKeptSession) {
    if (m_transferring)
        return false;
    if (!onKeptSession)
        endSession();
    m_transferring = true;
    m_linkContinue = true;
    m_interruptRequests = 0;
    m_writePhase = WritePhase::Untouched;
    m_busy = true;
    m_op.setBusy(true);
    m_onKeptSession = std::exchange(m_sessionKept, false);
    if (m_onKeptSession) {
        // Whatever came while the session waited goes; a port gone meanwhile fails the first
        // request at once.
        if (m_port.isOpen())
            (void)m_port.takeInput();
        return true;
    }
    runHandshake();
    if (!m_linkContinue) {
        endTransfer();
        return false;
    }
    return true;
}

void EcuLink::enableWindow() {
    if (!m_busy)
        return;
    m_busy = false;
    m_op.setBusy(false);
}

void EcuLink::closePort() {
    if (m_port.isOpen())
        m_port.close();
    m_watchdog.stop();
}

void EcuLink::endTransfer() {
    enableWindow();
    closePort();
    m_transferring = false;
    m_onKeptSession = false;
}

void EcuLink::keepSession() {
    enableWindow();
    m_transferring = false;
    m_sessionKept = true;
}

void EcuLink::endSession() {
    m_sessionKept = false;
    if (!m_transferring)
        closePort();
}
