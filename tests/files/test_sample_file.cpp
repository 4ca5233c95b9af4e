#include "files/e2p_reader.h"
#include "image/image_decoding.h"
#include "image/image_fingerprint.h"

#include <gtest/gtest.h>

namespace {

TEST(SampleFile, IsARealisticCalibrationThatTheEditorsCanHandle) {
    E2PReadResult r = readE2PFile(QStringLiteral(ECU_SOURCE_DIR "/data/SAMPLE.E2P"));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_GE(r.commentText.count(QStringLiteral("\r\n")), 2);
    EXPECT_EQ(r.damaged.count, 0);

    const EcuImage loaded = r.image;
    const EcuTables t = decodeImage(r.image);
    EXPECT_EQ(r.image, loaded) << "decoding must not need to change the sample";
    // The CRC-32 as python3's zlib.crc32 gives it for the 448 bytes; the standard check value;
    // leading zeros kept.
    EXPECT_EQ(fingerprintText(loaded), QStringLiteral("CRC-32 B830FCE9"));
    EXPECT_EQ(crc32Text(crc32Of("123456789")), QStringLiteral("CBF43926"));
    EXPECT_EQ(crc32Text(0xABCD), QStringLiteral("0000ABCD"));

    for (int i = 1; i < NePoints; ++i)
        EXPECT_GT(t.NeData[i], t.NeData[i - 1]);
    EXPECT_LE(t.NeData[15], 180);
    EXPECT_EQ(t.ThData[0], 0);
    EXPECT_EQ(t.ThData[10], 100);
    for (int i = 1; i < ThPoints; ++i)
        EXPECT_GT(t.ThData[i], t.ThData[i - 1]);
    for (const auto &row : t.KmapData)
        for (auto b : row)
            EXPECT_TRUE(b >= 70 && b <= 130) << int(b);
    for (const auto &row : t.IGmapData)
        for (auto b : row)
            EXPECT_TRUE(b <= 3 || b >= 236) << int(b);
    for (auto b : t.RuadjData)
        EXPECT_TRUE(b <= 15 || b >= 241) << int(b);
    EXPECT_TRUE(t.ShiftNeData >= 100 && t.ShiftNeData <= 180);
    EXPECT_LE(t.PitLimitData, 180);
    EXPECT_TRUE(t.IdleNeData >= 7 && t.IdleNeData <= 15);
}

} // namespace
