#include "serial_port_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

QList<SerialPortEntry> SystemSerialPortList::availablePorts() const {
    QList<SerialPortEntry> entries;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports) {
        SerialPortEntry entry{
            port.portName(),     port.systemLocation(),
            port.description(),  port.manufacturer(),
            port.serialNumber(), std::nullopt,
            std::nullopt,        stableDeviceName(port.systemLocation(), SerialByIdFolder)};
        if (port.hasVendorIdentifier())
            entry.vendorId = port.vendorIdentifier();
        if (port.hasProductIdentifier())
            entry.productId = port.productIdentifier();
        entries.push_back(entry);
    }
    return entries;
}

QString stableDeviceName(const QString &devicePath, const QString &byIdFolder) {
    const QString device = QFileInfo(devicePath).canonicalFilePath();
    if (device.isEmpty())
        return {};
    const QDir folder(byIdFolder);
    const QStringList links = folder.entryList(QDir::System | QDir::Files, QDir::Name);
    for (const QString &link : links) {
        const QString path = folder.filePath(link);
        if (QFileInfo(path).canonicalFilePath() == device)
            return path;
    }
    return {};
}
