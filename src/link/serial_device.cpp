#include "serial_device.h"

QString serialDeviceName(int portNo, const SettingsStore &settings) {
#ifdef Q_OS_WIN
    Q_UNUSED(settings);
    return QStringLiteral("COM%1").arg(portNo);
#else
    const QString configured = readSerialDevice(settings, portNo).trimmed();
    if (!configured.isEmpty())
        return configured;
    return QStringLiteral("/dev/ttyS%1").arg(portNo - 1);
#endif
}
