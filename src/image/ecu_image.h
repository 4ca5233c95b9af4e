#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The 448-byte calibration image of the ECU: rows 2 to EcuMaxRow by columns 0 to 15.
// A byte is named by its image offset (0..447), by its file address (offset + 0x20, used
// in E2P records) or, in pairs, by its ECU word address (offset / 2 + 0x20).
constexpr int EcuFirstRow = 2;
constexpr int EcuMaxRow = 29;
constexpr int EcuColumns = 16;
constexpr int EcuImageSize = (EcuMaxRow - EcuFirstRow + 1) * EcuColumns; // 448
constexpr int EcuFirstFileAddress = EcuFirstRow * EcuColumns;            // 0x20
constexpr int EcuFirstWordAddress = 0x20;
constexpr int EcuLastWordAddress = 0xFF;
constexpr int EcuWordCount = EcuImageSize / 2; // 224

// The data-type marker that makes an image valid for this ECU, and what a file open or an ECU
// read tells of an image without it.
inline const QString EcuMarker = QStringLiteral("QZ3ROK");
inline const QString EcuDataTypeIncorrect = QStringLiteral("ECU Data Type is incorrect.");

class EcuImage {
public:
    EcuImage() { m_bytes.fill(0); }

    [[nodiscard]] static bool isInside(int row, int column) {
        return row >= EcuFirstRow && row <= EcuMaxRow && column >= 0 && column < EcuColumns;
    }
    [[nodiscard]] static int offsetOf(int row, int column) {
        return (row - EcuFirstRow) * EcuColumns + column;
    }
    [[nodiscard]] static int rowOf(int offset) { return offset / EcuColumns + EcuFirstRow; }
    [[nodiscard]] static int columnOf(int offset) { return offset % EcuColumns; }
    [[nodiscard]] static int fileAddressOf(int offset) { return offset + EcuFirstFileAddress; }
    [[nodiscard]] static int offsetOfFileAddress(int address) {
        return address - EcuFirstFileAddress;
    }
    // The word address of the pair that holds the byte at this offset.
    [[nodiscard]] static int wordAddressOf(int offset) { return offset / 2 + EcuFirstWordAddress; }
    // The offset of the first byte of a word.
    [[nodiscard]] static int offsetOfWord(int wordAddress) {
        return (wordAddress - EcuFirstWordAddress) * 2;
    }

    [[nodiscard]] std::uint8_t at(int row, int column) const;
    void set(int row, int column, std::uint8_t value);
    [[nodiscard]] std::uint8_t byte(int offset) const;
    void setByte(int offset, std::uint8_t value);

    void fill(std::uint8_t value) { m_bytes.fill(value); }
    [[nodiscard]] const std::array<std::uint8_t, EcuImageSize> &bytes() const { return m_bytes; }

    friend bool operator==(const EcuImage &, const EcuImage &) = default;

private:
    std::array<std::uint8_t, EcuImageSize> m_bytes{};
};

// Row 29, columns 2..9: the data name, one character per byte, blank-padded.
constexpr int EcuDataNameLength = 8;
// Row 29, columns 10..15: the marker, two characters per pair in swapped order.
[[nodiscard]] QString dataTypeMarker(const EcuImage &image);
// The 8 name bytes as characters (blanks included).
[[nodiscard]] QString ecuDataName(const EcuImage &image);
// Blanks the name field, then stores up to 8 characters of the name.
void setEcuDataName(EcuImage &image, const QString &name);
