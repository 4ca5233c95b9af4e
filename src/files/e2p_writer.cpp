#include "e2p_writer.h"

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

std::array<std::uint8_t, EcuColumns> rowBytes(const EcuImage &image, int row) {
    std::array<std::uint8_t, EcuColumns> bytes{};
    for (int column = 0; column < EcuColumns; ++column)
        bytes[static_cast<std::size_t>(column)] = image.at(row, column);
    return bytes;
}

} // namespace

QByteArray dataRecord(int row, const std::array<std::uint8_t, EcuColumns> &bytes) {
    const int address = row * EcuColumns;
    QByteArray record;
    for (const int b : {EcuColumns, address >> 8, address & 0xFF, 0})
        record += static_cast<char>(b);
    for (const std::uint8_t b : bytes)
        record += static_cast<char>(b);
    int sum = 0;
    for (const char b : record)
        sum += static_cast<std::uint8_t>(b);
    record += static_cast<char>((256 - sum % 256) % 256);
    return ':' + record.toHex().toUpper();
}

QByteArray hexRecords(const EcuImage &image) {
    QByteArray out;
    for (int row = EcuFirstRow; row <= EcuMaxRow; ++row)
        out += dataRecord(row, rowBytes(image, row)) + LineEnd;
    out += EndRecord + LineEnd;
    return out;
}

QByteArray e2pFileContents(const EcuImage &image, const E2PComment &comment) {
    return hexRecords(image) + CommentStartRecord + LineEnd + comment.bytes() + LineEnd;
}
