#include "image/image_decoding.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

bool clearedByDecoding(int offset) {
    return (offset >= 64 && offset <= 79) || offset == 304 || offset == 306 || offset == 308 ||
           (offset >= 310 && offset <= 319);
}

class Normalisation : public testing::TestWithParam<std::pair<int, int>> {};

// Decoding writes back to the image: the unused bytes cleared, an idle above fifteen as
// fifteen; every other byte stays.
TEST_P(Normalisation, ClearsTheUnusedBytesAndCapsTheIdleAtFifteen) {
    const auto [stored, capped] = GetParam();
    EcuImage before;
    for (int offset = 0; offset < EcuImageSize; ++offset)
        before.setByte(offset, static_cast<std::uint8_t>((offset * 7 + 3) & 0xFF));
    before.setByte(IdleNeOffset, static_cast<std::uint8_t>(stored));
    EcuImage image = before;
    const EcuTables t = decodeImage(image);
    for (int offset = 0; offset < EcuImageSize; ++offset) {
        const int expected = offset == IdleNeOffset      ? capped
                             : clearedByDecoding(offset) ? 0
                                                         : before.byte(offset);
        EXPECT_EQ(image.byte(offset), expected) << offset;
    }
    EXPECT_EQ(t.IdleNeData, capped);
    EXPECT_EQ(t.IdleNeText, QString::number(capped * 200));
}

INSTANTIATE_TEST_SUITE_P(Idle, Normalisation,
                         testing::Values(std::pair{200, 15}, std::pair{16, 15}, std::pair{15, 15},
                                         std::pair{7, 7}));

TEST(ImageDecoding, FillsEveryTableFromItsPlace) {
    EcuImage image;
    image.setByte(192, 97);   // Fi cell 1
    image.setByte(320, 112);  // Fi cell 113: TH row 8, NE column 1
    image.setByte(383, 130);  // Fi cell 176
    image.setByte(0, 0xFB);   // IG cell 1
    image.setByte(80, 2);     // IG cell 65: TH row 5, NE column 1
    image.setByte(191, 0xEC); // IG cell 176
    image.setByte(384, 14);   // NE point 1
    image.setByte(399, 165);  // NE point 16
    image.setByte(400, 0);    // TH point 1
    image.setByte(410, 100);  // TH point 11
    image.setByte(412, 0xF6); // RU point 1
    image.setByte(427, 5);    // RU point 16
    image.setByte(428, 60);   // pit limit
    image.setByte(430, 180);  // shift light
    image.setByte(432, 7);    // idle

    const EcuTables t = decodeImage(image);
    EXPECT_EQ(t.KmapData[0][0], 97);
    EXPECT_EQ(t.KmapText[0][0], QStringLiteral("-3%"));
    EXPECT_EQ(t.KmapData[7][0], 112);
    EXPECT_EQ(t.KmapText[7][0], QStringLiteral("+12%"));
    EXPECT_EQ(t.KmapData[10][15], 130);
    EXPECT_EQ(t.KmapText[6][15], QStringLiteral("-100%")); // cell 112: offset 303, still 0
    EXPECT_EQ(t.IGmapData[0][0], 0xFB);
    EXPECT_EQ(t.IGmapText[0][0], QStringLiteral("-5deg"));
    EXPECT_EQ(t.IGmapData[4][0], 2);
    EXPECT_EQ(t.IGmapText[4][0], QStringLiteral("+2deg"));
    EXPECT_EQ(t.IGmapText[10][15], QStringLiteral("-20deg"));
    EXPECT_EQ(t.NeData[0], 14);
    EXPECT_EQ(t.NeText[15], QStringLiteral("16500"));
    EXPECT_EQ(t.ThText[0], QStringLiteral("0"));
    EXPECT_EQ(t.ThData[10], 100);
    EXPECT_EQ(t.RuadjText[0], QStringLiteral(" -10%"));
    EXPECT_EQ(t.RuadjText[15], QStringLiteral(" +5%"));
    EXPECT_EQ(t.RuadjText[1], QStringLiteral("0%"));
    EXPECT_EQ(t.PitLimitText, QStringLiteral("6000"));
    EXPECT_EQ(t.ShiftNeText, QStringLiteral("18000"));
    EXPECT_EQ(t.IdleNeText, QStringLiteral("1400"));
}

} // namespace
