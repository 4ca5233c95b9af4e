#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

// The ECU line: 9600 baud, no parity, 8 data bits, 1 stop bit ("9600,n,8,1").
struct LineSettings {
    qint32 baudRate = 9600;
    char parity = 'n'; // 'n' none, 'e' even, 'o' odd
    int dataBits = 8;
    int stopBits = 1;
};
inline constexpr LineSettings EcuLineSettings{9600, 'n', 8, 1};

// The operations the link performs on a serial port. Input is always taken as bytes and the
// port raises no events for received or sent bytes, so binary input mode and event thresholds
// of 0 need no operation of their own.
class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The device the next open() uses; only while closed.
    virtual void setPortName(const QString &deviceName) = 0;
    [[nodiscard]] virtual QString portName() const = 0;
    virtual bool open() = 0;
    virtual void close() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;
    // The system's reason why the last open() or setting failed, or why the port stopped
    // working, with what the person can do about it where that is known; empty when none of
    // these happened.
    [[nodiscard]] virtual QString errorString() const = 0;
    // Other programs that have the device open and may take the ECU's answers, as the person
    // should read them; empty when none are known.
    [[nodiscard]] virtual QStringList programsSharingPort() const = 0;

    // The line settings, one at a time, each while open; false when the system refuses it.
    virtual bool setBaudRate(qint32 baudRate) = 0;
    virtual bool setDataBits(int dataBits) = 0;
    virtual bool setParity(char parity) = 0; // as LineSettings::parity
    virtual bool setStopBits(int stopBits) = 0;
    // No hardware or software handshaking.
    virtual bool setNoFlowControl() = 0;
    // Whether received zero bytes are dropped; the link keeps them.
    virtual bool setNullDiscard(bool discard) = 0;
    // How many bytes takeInput() returns at most; 0 for everything waiting.
    virtual void setInputLen(int count) = 0;

    [[nodiscard]] virtual qint64 bytesAvailable() const = 0;
    // The waiting bytes, oldest first, limited by setInputLen(); they leave the buffer.
    virtual QByteArray takeInput() = 0;
    // Queues the bytes for sending; does not wait for the line.
    virtual bool sendOutput(const QByteArray &bytes) = 0;

signals:
    // New bytes are waiting.
    void readyRead();
    // An event of the line, with its event code (comm_event.h). Delivered from the event loop,
    // never from inside another signal of the port.
    void commEvent(int eventCode);
    // The port stopped working: the device went away (a pulled USB adapter), or another
    // program takes its data. The port is closed; errorString() says which.
    void portFailed();
};
