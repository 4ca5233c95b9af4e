#include "image/ecu_image.h"
#include "image/ecu_layout.h"

#include <gtest/gtest.h>
#include <map>

namespace {

struct AddressCase {
    int offset, row, column, fileAddress, wordAddress;
};

class ImageAddressing : public testing::TestWithParam<AddressCase> {};

TEST_P(ImageAddressing, OffsetRowColumnFileAndWordAddressAgree) {
    const AddressCase c = GetParam();
    EXPECT_EQ(EcuImage::rowOf(c.offset), c.row);
    EXPECT_EQ(EcuImage::columnOf(c.offset), c.column);
    EXPECT_EQ(EcuImage::offsetOf(c.row, c.column), c.offset);
    EXPECT_EQ(EcuImage::fileAddressOf(c.offset), c.fileAddress);
    EXPECT_EQ(EcuImage::offsetOfFileAddress(c.fileAddress), c.offset);
    EXPECT_EQ(EcuImage::wordAddressOf(c.offset), c.wordAddress);
    EXPECT_EQ(EcuImage::offsetOfWord(c.wordAddress), c.offset & ~1);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ImageAddressing,
    testing::Values(AddressCase{0, 2, 0, 0x20, 0x20}, AddressCase{15, 2, 15, 0x2F, 0x27},
                    AddressCase{16, 3, 0, 0x30, 0x28}, AddressCase{304, 21, 0, 0x150, 0xB8},
                    AddressCase{446, 29, 14, 0x1DE, 0xFF}, AddressCase{447, 29, 15, 0x1DF, 0xFF}));

struct CellCase {
    int cell, thRow, neColumn, fiOffset, igOffset;
};

class CellLayout : public testing::TestWithParam<CellCase> {};

TEST_P(CellLayout, CellNumberRowColumnAndOffsets) {
    const CellCase c = GetParam();
    EXPECT_EQ(cellNumber(c.thRow, c.neColumn), c.cell);
    EXPECT_EQ(thRowOfCell(c.cell), c.thRow);
    EXPECT_EQ(neColumnOfCell(c.cell), c.neColumn);
    EXPECT_EQ(fiCellOffset(c.cell), c.fiOffset);
    EXPECT_EQ(igCellOffset(c.cell), c.igOffset);
}

INSTANTIATE_TEST_SUITE_P(BlockEdges, CellLayout,
                         testing::Values(CellCase{1, 1, 1, 192, 0}, CellCase{16, 1, 16, 207, 15},
                                         CellCase{64, 4, 16, 255, 63}, CellCase{65, 5, 1, 256, 80},
                                         CellCase{112, 7, 16, 303, 127},
                                         CellCase{113, 8, 1, 320, 128},
                                         CellCase{176, 11, 16, 383, 191}));

// At every offset: a cell of a map exactly inside its blocks, protected exactly in row 6 and the
// tail of row 21.
TEST(CellLayout, MapsFillTheirBlocksAroundTheProtectedAreas) {
    std::map<int, int> fi, ig; // offset: cell
    for (int cell = 1; cell <= MapCells; ++cell) {
        fi[fiCellOffset(cell)] = cell;
        ig[igCellOffset(cell)] = cell;
    }
    for (int offset = 0; offset < EcuImageSize; ++offset) {
        const bool inFi = (offset >= 192 && offset <= 303) || (offset >= 320 && offset <= 383);
        const bool inIg = offset <= 63 || (offset >= 80 && offset <= 191);
        EXPECT_EQ(fi.contains(offset), inFi) << offset;
        EXPECT_EQ(fiCellAtOffset(offset), inFi ? fi[offset] : 0) << offset;
        EXPECT_EQ(ig.contains(offset), inIg) << offset;
        EXPECT_EQ(igCellAtOffset(offset), inIg ? ig[offset] : 0) << offset;
        EXPECT_EQ(isProtectedOffset(offset),
                  (offset >= 64 && offset <= 79) || (offset >= 310 && offset <= 319))
            << offset;
    }
}

// The marker's characters are stored in swapped pairs behind the name.
TEST(EcuDataName, IsBlankPaddedAndNeverReachesTheMarker) {
    EcuImage image;
    for (int i = 0; i < 6; ++i)
        image.set(29, 10 + i, static_cast<std::uint8_t>("ZQR3KO"[i]));
    image.set(29, 1, 0x77);

    setEcuDataName(image, QStringLiteral("RACE1"));
    EXPECT_EQ(ecuDataName(image), QStringLiteral("RACE1   "));

    setEcuDataName(image, QStringLiteral("ABCDEFGHIJKL"));
    EXPECT_EQ(ecuDataName(image), QStringLiteral("ABCDEFGH"));
    EXPECT_EQ(dataTypeMarker(image), QStringLiteral("QZ3ROK"));
    EXPECT_EQ(image.at(29, 1), 0x77);

    setEcuDataName(image, QString());
    EXPECT_EQ(ecuDataName(image), QStringLiteral("        "));
}

} // namespace
