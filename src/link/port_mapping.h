#pragma once

#include "files/settings_store.h"
#include "serial_port_list.h"

#include <QList>
#include <QString>

// Port numbers and the serial ports the system has: which port a number opens, and mapping a
// number to a port through [CommProt] COM<k>.

// Whether port numbers name devices through the settings. On Windows COMk is the device.
#ifdef Q_OS_WIN
inline constexpr bool PortNumbersAreMapped = false;
#else
inline constexpr bool PortNumbersAreMapped = true;
#endif

// The path a mapping stores for a port: its stable name when it has one, since /dev/ttyUSB0
// may be another adapter tomorrow.
[[nodiscard]] QString mappingPath(const SerialPortEntry &port);
// Makes port number k open the port: [CommProt] COM<k> = mappingPath(port).
void mapPortNumber(SettingsStore &settings, int portNo, const SerialPortEntry &port);

// True when the device path names the port: its own path, its stable name, or a link to it.
[[nodiscard]] bool isSamePort(const SerialPortEntry &port, const QString &devicePath);
// The port numbers 1..16 that open this port now, mapped or by default.
[[nodiscard]] QList<int> portNumbersOf(const SerialPortEntry &port, const SettingsStore &settings);

// The text of "CommPort" item k: "COM3  /dev/ttyUSB0 (FT232R USB UART)", the device as the
// system lists it when it is there, else as port k names it (the default device when k is
// not mapped); the description only when the port is there and has one.
[[nodiscard]] QString portMenuText(int portNo, const SettingsStore &settings,
                                   const QList<SerialPortEntry> &ports);
