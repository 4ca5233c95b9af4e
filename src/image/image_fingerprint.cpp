#include "image_fingerprint.h"

#include <zlib.h>

std::uint32_t crc32Of(QByteArrayView bytes) {
    // zlib takes at most 4 GiB a call; an image is 448 bytes.
    return static_cast<std::uint32_t>(crc32_z(crc32_z(0L, Z_NULL, 0),
                                              reinterpret_cast<const Bytef *>(bytes.data()),
                                              static_cast<z_size_t>(bytes.size())));
}

QString crc32Text(std::uint32_t crc) {
    return QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0')).toUpper();
}

QString imageCrc32(const EcuImage &image) {
    const auto &bytes = image.bytes();
    return crc32Text(crc32Of(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))));
}

QString fingerprintText(const EcuImage &image) {
    return QStringLiteral("CRC-32 ") + imageCrc32(image);
}
