#include "qt_serial_port.h"

namespace {

QString reasonOf(const QSerialPort &serial) {
    QString reason = serial.errorString();
#ifdef Q_OS_LINUX
    if (serial.error() == QSerialPort::PermissionError)
        reason += QStringLiteral(" \u2014 on Linux the user must be in the dialout group");
#endif
    return reason;
}

const QString DeviceLostReason = QStringLiteral("the device went away (unplugged or switched off)");

} // namespace

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
        m_error = reasonOf(m_serial);
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

bool QtSerialPort::setLineSettings(const LineSettings &settings) {
    QSerialPort::Parity parity = QSerialPort::NoParity;
    if (settings.parity == 'e')
        parity = QSerialPort::EvenParity;
    else if (settings.parity == 'o')
        parity = QSerialPort::OddParity;
    const bool baud = m_serial.setBaudRate(settings.baudRate);
    const bool par = m_serial.setParity(parity);
    const bool data = m_serial.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits));
    const bool stop =
        m_serial.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    return baud && par && data && stop;
}

bool QtSerialPort::setNoFlowControl() {
    return m_serial.setFlowControl(QSerialPort::NoFlowControl);
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
    // as the end of its data), so the loss is told as such.
    m_error = DeviceLostReason;
    m_linePoll.stop();
    // Closed from the event loop rather than from inside QSerialPort's own notification.
    QMetaObject::invokeMethod(this, &QtSerialPort::closeLostDevice, Qt::QueuedConnection);
    emit deviceLost();
}

void QtSerialPort::closeLostDevice() {
    if (m_lost)
        close();
}
