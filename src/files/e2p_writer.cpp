#include "e2p_writer.h"

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

void appendHexByte(QByteArray &out, int value) {
    out += QByteArray::number(value & 0xFF, 16).rightJustified(2, '0').toUpper();
}

std::array<std::uint8_t, EcuColumns> rowBytes(const EcuImage &image, int row) {
    std::array<std::uint8_t, EcuColumns> bytes{};
    for (int column = 0; column < EcuColumns; ++column)
        bytes[static_cast<std::size_t>(column)] = image.at(row, column);
    return bytes;
}

} // namespace

QByteArray dataRecord(int row, const std::array<std::uint8_t, EcuColumns> &bytes) {
    const int address = row * EcuColumns;
    QByteArray record = QByteArrayLiteral(":10");
    appendHexByte(record, address >> 8);
    appendHexByte(record, address);
    record += "00";
    int sum = EcuColumns + (address >> 8) + (address & 0xFF);
    for (std::uint8_t b : bytes) {
        appendHexByte(record, b);
        sum += b;
    }
    appendHexByte(record, (256 - sum % 256) % 256);
    return record;
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
