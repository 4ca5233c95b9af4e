#include "ecu_image.h"

#include "ecu_layout.h"

#include <QtGlobal>

std::uint8_t EcuImage::at(int row, int column) const {
    Q_ASSERT(isInside(row, column));
    return m_bytes[static_cast<std::size_t>(offsetOf(row, column))];
}

void EcuImage::set(int row, int column, std::uint8_t value) {
    Q_ASSERT(isInside(row, column));
    m_bytes[static_cast<std::size_t>(offsetOf(row, column))] = value;
}

std::uint8_t EcuImage::byte(int offset) const {
    Q_ASSERT(offset >= 0 && offset < EcuImageSize);
    return m_bytes[static_cast<std::size_t>(offset)];
}

void EcuImage::setByte(int offset, std::uint8_t value) {
    Q_ASSERT(offset >= 0 && offset < EcuImageSize);
    m_bytes[static_cast<std::size_t>(offset)] = value;
}

QString dataTypeMarker(const EcuImage &image) {
    // Each pair holds its two characters swapped: columns 11, 10, 13, 12, 15, 14.
    static constexpr std::array<int, 6> columns{11, 10, 13, 12, 15, 14};
    QString text;
    for (int column : columns)
        text += QChar(static_cast<char16_t>(image.at(EcuMaxRow, column)));
    return text;
}

QString ecuDataName(const EcuImage &image) {
    QString text;
    for (int i = 0; i < EcuDataNameLength; ++i)
        text += QChar(static_cast<char16_t>(image.byte(DataNameOffset + i)));
    return text;
}

void setEcuDataName(EcuImage &image, const QString &name) {
    for (int i = 0; i < EcuDataNameLength; ++i)
        image.setByte(DataNameOffset + i, 0x20);
    const int length = std::min<int>(static_cast<int>(name.size()), EcuDataNameLength);
    for (int i = 0; i < length; ++i)
        image.setByte(DataNameOffset + i, static_cast<std::uint8_t>(name.at(i).unicode() & 0xFF));
}
