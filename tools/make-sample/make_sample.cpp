// Writes the sample calibration shipped in data/SAMPLE.E2P.
// Usage: make-sample OUT.E2P

#include "files/e2p_commands.h"
#include "files/e2p_writer.h"
#include "image/ecu_layout.h"

#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

std::uint8_t signedByte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

EcuImage sampleImage() {
    EcuImage image;
    constexpr std::array<int, NePoints> ne{14, 25,  35,  45,  55,  65,  75,  85,
                                           95, 105, 115, 125, 135, 145, 155, 165};
    constexpr std::array<int, ThPoints> th{0, 5, 10, 15, 20, 30, 40, 50, 60, 80, 100};
    constexpr std::array<int, RuPoints> ru{0, 0, 1, 2, 3, 2, 1, 0, -1, -2, -2, -1, 0, 1, 2, 3};
    for (int i = 0; i < NePoints; ++i)
        image.setByte(NeAxisOffset + i, static_cast<std::uint8_t>(ne[static_cast<std::size_t>(i)]));
    for (int i = 0; i < ThPoints; ++i)
        image.setByte(ThAxisOffset + i, static_cast<std::uint8_t>(th[static_cast<std::size_t>(i)]));
    for (int i = 0; i < RuPoints; ++i)
        image.setByte(RuMapOffset + i, signedByte(ru[static_cast<std::size_t>(i)]));

    for (int cell = 1; cell <= MapCells; ++cell) {
        const double t = (thRowOfCell(cell) - 1) / 10.0; // 0 closed .. 1 wide open
        const double n = (neColumnOfCell(cell) - 1) / 15.0;
        // Fuel: richer at part throttle low in the rev range, leaner in the mid range,
        // a little richer again at full throttle and high revs.
        const double fuel =
            6.0 * std::cos(std::numbers::pi * 1.6 * n) * (1.0 - 0.6 * t) + 4.0 * t * n - 2.0 * t;
        image.setByte(fiCellOffset(cell),
                      static_cast<std::uint8_t>(100 + std::clamp<int>(std::lround(fuel), -30, 30)));
        // Ignition: retarded with load, slightly more in the mid range, a touch of advance
        // at light load and high revs.
        const double ignition =
            -9.0 * t - 4.0 * std::sin(std::numbers::pi * n) * t + 2.0 * n * (1 - t);
        image.setByte(igCellOffset(cell),
                      signedByte(std::clamp<int>(std::lround(ignition), -20, 3)));
    }

    image.setByte(PitLimitOffset, 60); // 6000 r/min
    image.setByte(ShiftNeOffset, 140); // 14000 r/min
    image.setByte(IdleNeOffset, 8);    // 1600 r/min

    // The marker, in swapped pairs.
    const QByteArray marker = QByteArrayLiteral("QZ3ROK");
    for (int i = 0; i < 6; i += 2) {
        image.setByte(DataTypeOffset + i, static_cast<std::uint8_t>(marker[i + 1]));
        image.setByte(DataTypeOffset + i + 1, static_cast<std::uint8_t>(marker[i]));
    }
    return image;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample OUT.E2P\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    EcuImage image = sampleImage();
    setEcuDataName(image, dataNameOfFile(QFileInfo(path).fileName()));
    const QString comment =
        QStringLiteral("Sample calibration for the kit ECU.\r\n"
                       "Fuel slightly rich below 5000 r/min, lean in the mid range.\r\n"
                       "Ignition retarded with load; RU within +-3%.\r\n"
                       "Shift light 14000 r/min, pit limiter 6000 r/min, idle 1600 r/min.");
    const FileWriteResult written =
        writeFileSafely(path, e2pFileContents(image, E2PComment::fromText(comment)));
    if (!written.ok) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(written.error));
        return 1;
    }
    return 0;
}
