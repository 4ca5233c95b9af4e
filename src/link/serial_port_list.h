#pragma once

#include <QList>
#include <QString>
#include <optional>

// One serial port the system has now, as the system describes it.
struct SerialPortEntry {
    QString portName{};       // e.g. "ttyUSB0" or "COM3"
    QString systemLocation{}; // e.g. "/dev/ttyUSB0"
    QString description{};    // e.g. "FT232R USB UART"
    QString manufacturer{};
    QString serialNumber{};
    std::optional<quint16> vendorId{}; // USB only
    std::optional<quint16> productId{};
    // A name that stays the same when the adapter is plugged in elsewhere
    // (/dev/serial/by-id/...); empty when there is none.
    QString stableName{};
};

// The serial ports the system has now; adapters come and go, so each call asks again.
class SerialPortList {
public:
    virtual ~SerialPortList() = default;
    [[nodiscard]] virtual QList<SerialPortEntry> availablePorts() const = 0;
};

// The ports QSerialPortInfo lists, with their names under /dev/serial/by-id.
class SystemSerialPortList : public SerialPortList {
public:
    [[nodiscard]] QList<SerialPortEntry> availablePorts() const override;
};

// The first link in byIdFolder that leads to the same device as devicePath (its path, not
// resolved); empty when none does.
[[nodiscard]] QString stableDeviceName(const QString &devicePath, const QString &byIdFolder);

inline const QString SerialByIdFolder = QStringLiteral("/dev/serial/by-id");
