#pragma once

#include "ecu_image.h"

#include <QByteArrayView>
#include <QString>
#include <cstdint>

// The fingerprint that tells two calibrations apart at a glance: the CRC-32 of zlib and
// Ethernet over the 448 image bytes in offset order.

// The CRC-32 of any bytes ("123456789" gives CBF43926).
[[nodiscard]] std::uint32_t crc32Of(QByteArrayView bytes);
// Eight upper-case hexadecimal digits, as the hex texts elsewhere: "CBF43926".
[[nodiscard]] QString crc32Text(std::uint32_t crc);
// The image's CRC-32 as eight digits.
[[nodiscard]] QString imageCrc32(const EcuImage &image);
// How every view names it: "CRC-32 CBF43926".
[[nodiscard]] QString fingerprintText(const EcuImage &image);
