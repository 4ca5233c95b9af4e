#pragma once

#include "link/serial_port_list.h"

// A USB serial adapter as the system lists it, and a port on the board without a description.
inline const SerialPortEntry UsbAdapter{QStringLiteral("ttyUSB0"),
                                        QStringLiteral("/dev/ttyUSB0"),
                                        QStringLiteral("FT232R USB UART"),
                                        QStringLiteral("FTDI"),
                                        QStringLiteral("A10K1234"),
                                        0x0403,
                                        0x6001,
                                        QStringLiteral("/dev/serial/by-id/usb-FTDI-A10K1234")};
inline const SerialPortEntry BoardPort{QStringLiteral("ttyS0"), QStringLiteral("/dev/ttyS0")};

// The ports a test says the system has.
class FakePortList : public SerialPortList {
public:
    [[nodiscard]] QList<SerialPortEntry> availablePorts() const override { return ports; }
    QList<SerialPortEntry> ports{BoardPort};
};
