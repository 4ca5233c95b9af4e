#include "port_mapping.h"

#include "serial_device.h"

#include <QFileInfo>
#include <algorithm>

QString mappingPath(const SerialPortEntry &port) {
    return port.stableName.isEmpty() ? port.systemLocation : port.stableName;
}

void mapPortNumber(SettingsStore &settings, int portNo, const SerialPortEntry &port) {
    writeSerialDevice(settings, portNo, mappingPath(port));
}

bool isSamePort(const SerialPortEntry &port, const QString &devicePath) {
    if (devicePath.isEmpty())
        return false;
    // QSerialPort also opens a port by its bare name ("ttyUSB0", "COM3").
    if (devicePath == port.systemLocation || devicePath == port.stableName ||
        devicePath == port.portName)
        return true;
    const QString device = QFileInfo(devicePath).canonicalFilePath();
    return !device.isEmpty() && device == QFileInfo(port.systemLocation).canonicalFilePath();
}

QList<int> portNumbersOf(const SerialPortEntry &port, const SettingsStore &settings) {
    QList<int> numbers;
    for (int k = FirstPortNo; k <= LastPortNo; ++k) {
        if (isSamePort(port, serialDeviceName(k, settings)))
            numbers.push_back(k);
    }
    return numbers;
}

QString portMenuText(int portNo, const SettingsStore &settings,
                     const QList<SerialPortEntry> &ports) {
    const QString label = QStringLiteral("COM%1").arg(portNo);
    const QString device = serialDeviceName(portNo, settings);
    const auto found = std::find_if(ports.cbegin(), ports.cend(), [&](const SerialPortEntry &p) {
        return isSamePort(p, device);
    });
    QString text = label;
    if (device != label)
        text += QStringLiteral("  ") + (found != ports.cend() ? found->systemLocation : device);
    if (found != ports.cend() && !found->description.isEmpty())
        text += (device != label ? QStringLiteral(" (%1)") : QStringLiteral("  (%1)"))
                    .arg(found->description);
    return text;
}
