#pragma once

#include "line_status.h"
#include "serial_port.h"

#include <QSerialPort>
#include <QTimer>
#include <memory>

// The serial port over QSerialPort.
//
// QSerialPort reports no line events of its own (Qt 6 dropped its parity, framing and break
// errors). While the port is open this adapter reads the device's line status whenever data
// arrive and every LineStatusPollMs, and turns changes into event codes.
//
// A device that goes away makes QSerialPort report ReadError or ResourceError thousands of
// times a second until it is closed, so the port closes on the first one. So does a port whose
// data another program takes: QSerialPort stops reading it after the first failed read.
class QtSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject *parent = nullptr);
    ~QtSerialPort() override;

    void setPortName(const QString &deviceName) override;
    [[nodiscard]] QString portName() const override;
    bool open() override;
    void close() override;
    [[nodiscard]] bool isOpen() const override;
    [[nodiscard]] QString errorString() const override;
    [[nodiscard]] QStringList programsSharingPort() const override;

    bool setBaudRate(qint32 baudRate) override;
    bool setDataBits(int dataBits) override;
    bool setParity(char parity) override;
    bool setStopBits(int stopBits) override;
    bool setNoFlowControl() override;
    bool setNullDiscard(bool discard) override;
    void setInputLen(int count) override;

    [[nodiscard]] qint64 bytesAvailable() const override;
    QByteArray takeInput() override;
    bool sendOutput(const QByteArray &bytes) override;

    // Where the line status comes from; the kernel's by default. The in-process simulator
    // hands in its own, since a pseudo-terminal carries no line status. Set while closed.
    void setLineStatusProbe(std::shared_ptr<LineStatusProbe> probe);

    static constexpr int LineStatusPollMs = 100;

private:
    [[nodiscard]] QString devicePath() const;
    [[nodiscard]] QString openFailureReason() const;
    bool applied(bool ok);
    void onError(QSerialPort::SerialPortError error);
    void onReadyRead();
    void checkLineStatus();
    void closeFailedPort();

    QSerialPort m_serial;
    QString m_portName;
    QTimer m_linePoll;
    std::shared_ptr<LineStatusProbe> m_probe;
    LineStatus m_lineStatus;
    QString m_error;
    int m_inputLen = 0;
    bool m_lost = false;
};
