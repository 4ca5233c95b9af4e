#include "qt_serial_port.h"

#include "port_failure.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

QtSerialPort::QtSerialPort(QObject *parent)
    : SerialPort(parent)
    , m_probe(kernelLineStatusProbe()) {
    m_linePoll.setInterval(LineStatusPollMs);
    connect(&m_serial, &QSerialPort::readyRead, this, &QtSerialPort::onReadyRead);
    connect(&m_serial, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
    connect(&m_linePoll, &QTimer::timeout, this, &QtSerialPort::checkLineStatus);
}

QtSerialPort::~QtSerialPort() {
    close();
}

void QtSerialPort::setPortName(const QString &deviceName) {
    m_portName = deviceName;
    m_serial.setPortName(deviceName);
}

QString QtSerialPort::portName() const {
    return m_portName;
}

bool QtSerialPort::open() {
    // A device lost a moment ago may still wait for its queued close.
    if (m_serial.isOpen())
        m_serial.close();
    m_lost = false;
    m_error.clear();
    if (!m_serial.open(QIODevice::ReadWrite)) {
        m_error = openFailureReason();
        return false;
    }
    // A transfer starts with nothing received. A real port drops what comes while it is
    // closed; a pseudo-terminal keeps it, e.g. the rest of a reply to a transfer that failed.
    (void)m_serial.clear(QSerialPort::Input);
    m_lineStatus = m_probe ? m_probe->read(m_serial.handle()) : LineStatus{};
    if (m_lineStatus.reportsAnything())
        m_linePoll.start();
    return true;
}

void QtSerialPort::close() {
    m_linePoll.stop();
    m_lineStatus = {};
    if (m_serial.isOpen())
        m_serial.close();
    m_lost = false;
}

bool QtSerialPort::isOpen() const {
    return m_serial.isOpen() && !m_lost;
}

QString QtSerialPort::errorString() const {
    return m_error;
}

QString QtSerialPort::devicePath() const {
    return m_portName.contains(QLatin1Char('/')) ? m_portName
                                                 : QStringLiteral("/dev/") + m_portName;
}

QString QtSerialPort::openFailureReason() const {
    const QString reason = m_serial.errorString();
#ifdef Q_OS_UNIX
    // QSerialPort says "permission" both for a user who may not open the device and for a port
    // that another program holds.
    if (m_serial.error() == QSerialPort::PermissionError) {
        const OpenRefusal refusal = whyOpenWasRefused(devicePath());
        const QString told = refusedOpenReason(refusal, reason, ::geteuid() == 0);
        return refusal == OpenRefusal::InUse ? withPrograms(told, programsSharingPort()) : told;
    }
#endif
    return reason;
}

QStringList QtSerialPort::programsSharingPort() const {
    return programsUsingDevice(devicePath());
}

bool QtSerialPort::applied(bool ok) {
    if (!ok)
        m_error = m_serial.errorString();
    return ok;
}

bool QtSerialPort::setBaudRate(qint32 baudRate) {
    return applied(m_serial.setBaudRate(baudRate));
}

bool QtSerialPort::setDataBits(int dataBits) {
    return applied(m_serial.setDataBits(static_cast<QSerialPort::DataBits>(dataBits)));
}

bool QtSerialPort::setParity(char parity) {
    QSerialPort::Parity value = QSerialPort::NoParity;
    if (parity == 'e')
        value = QSerialPort::EvenParity;
    else if (parity == 'o')
        value = QSerialPort::OddParity;
    return applied(m_serial.setParity(value));
}

bool QtSerialPort::setStopBits(int stopBits) {
    return applied(
        m_serial.setStopBits(stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop));
}

bool QtSerialPort::setNoFlowControl() {
    return applied(m_serial.setFlowControl(QSerialPort::NoFlowControl));
}

bool QtSerialPort::setNullDiscard(bool discard) {
    // QSerialPort hands every byte over; it cannot drop zero bytes.
    return !discard;
}

void QtSerialPort::setInputLen(int count) {
    m_inputLen = count;
}

qint64 QtSerialPort::bytesAvailable() const {
    return isOpen() ? m_serial.bytesAvailable() : 0;
}

QByteArray QtSerialPort::takeInput() {
    if (!isOpen())
        return {};
    return m_inputLen > 0 ? m_serial.read(m_inputLen) : m_serial.readAll();
}

bool QtSerialPort::sendOutput(const QByteArray &bytes) {
    if (!isOpen())
        return false;
    if (m_serial.write(bytes) != bytes.size())
        return false;
    // Hands the bytes to the driver now rather than on the next pass of the event loop; this
    // does not wait for the line.
    (void)m_serial.flush();
    return true;
}

void QtSerialPort::setLineStatusProbe(std::shared_ptr<LineStatusProbe> probe) {
    m_probe = std::move(probe);
}

void QtSerialPort::onReadyRead() {
    if (m_lost)
        return;
    // Line errors come with the bytes they spoiled: report them before the bytes.
    checkLineStatus();
    emit readyRead();
}

void QtSerialPort::checkLineStatus() {
    if (!isOpen() || !m_lineStatus.reportsAnything() || !m_probe)
        return;
    const LineStatus now = m_probe->read(m_serial.handle());
    const QList<int> codes = lineEventCodes(m_lineStatus, now);
    m_lineStatus = now;
    // Queued: whoever shows the event may open a modal box, and QSerialPort does not emit
    // readyRead again while one of its own signals is still being handled.
    for (int code : codes)
        QMetaObject::invokeMethod(
            this, [this, code] { emit commEvent(code); }, Qt::QueuedConnection);
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)
        return;
    if (m_lost || !m_serial.isOpen())
        return;
    m_lost = true;
    // The system's text here is often left over from an earlier call (a hung-up terminal reads
    // as the end of its data): the device itself tells whether it went away.
    m_error = readFailureReason(m_serial.handle());
    if (m_error == OtherReaderReason)
        m_error = withPrograms(m_error, programsSharingPort());
    m_linePoll.stop();
    // Closed from the event loop rather than from inside QSerialPort's own notification.
    QMetaObject::invokeMethod(this, &QtSerialPort::closeFailedPort, Qt::QueuedConnection);
    emit portFailed();
}

void QtSerialPort::closeFailedPort() {
    if (m_lost)
        close();
}
