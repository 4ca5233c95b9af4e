#pragma once

#include "image/ecu_tables.h"

#include <QString>
#include <QStringList>

// The decoded data as text, in the display texts the window shows.

// The data name, its CRC-32, the comment, the Fi and IG maps as grids with their axes (top throttle
// row first, as the window shows them), the RU map and the three speeds. Control characters of the
// name and the comment (but tab and newline) are shown escaped, as \x1b.
[[nodiscard]] QString dumpText(const EcuData &data, const QString &comment);

// One line for every parameter that differs between a and b, in the order of dumpText:
// "Fi Map TH 3 (20) NE 5 (4000): +2% -> +5%". Positions are named by a's axes.
[[nodiscard]] QStringList differences(const EcuData &a, const EcuData &b);
