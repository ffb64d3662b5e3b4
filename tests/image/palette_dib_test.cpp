#include "core/image/palette_dib.h"
#include "core/view/viewport_size.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvandel {
namespace {

std::vector<RgbQuad> GreyTable(std::size_t size) {
    std::vector<RgbQuad> table(size);
    for (std::size_t i = 0; i < size; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        table[i] = RgbQuad{v, v, v, 0};
    }
    return table;
}

TEST(PaletteDibCreate, NewObjectHasNoBitmap) {
    CPaletteDib dib;
    BitmapInfo info;
    EXPECT_FALSE(dib.HasBitmap());
    EXPECT_EQ(dib.GetBitsPerPixel(), 0);
    EXPECT_FALSE(dib.GetBitmapInfo(info));
}

TEST(PaletteDibCreate, ViewportShapeDescribesBottomUpMemory) {
    CPaletteDib dib;
    const auto table = GreyTable(256);
    ASSERT_TRUE(dib.Create(kViewportWidth, kViewportHeight, 8, table, 256));
    BitmapInfo info;
    ASSERT_TRUE(dib.GetBitmapInfo(info));
    EXPECT_EQ(info.type, 0);
    EXPECT_EQ(info.width, 224);
    EXPECT_EQ(info.height, 136);
    EXPECT_EQ(info.widthBytes, 224);
    EXPECT_EQ(info.planes, 1);
    EXPECT_EQ(info.bitsPerPixel, 8);
    EXPECT_EQ(info.bits, dib.GetBits());
    EXPECT_EQ(dib.GetBitsPerPixel(), 8);
    EXPECT_EQ(dib.colourTable().size(), 256u);
    EXPECT_EQ(dib.colourTable()[200], table[200]);
}

TEST(PaletteDibCreate, OnlyOnceOnAnObject) {
    CPaletteDib dib;
    ASSERT_TRUE(dib.Create(4, 4, 24, {}, 0));
    EXPECT_FALSE(dib.Create(8, 8, 24, {}, 0));
    BitmapInfo info;
    ASSERT_TRUE(dib.GetBitmapInfo(info));
    EXPECT_EQ(info.width, 4);
}

TEST(PaletteDibCreate, StrideIsRoundedUpToFourBytes) {
    struct Case {
        int width;
        int bits;
        int stride;
    };
    for (const Case c : {Case{1, 1, 4}, Case{33, 1, 8}, Case{3, 4, 4}, Case{9, 4, 8}, Case{5, 8, 8},
                         Case{224, 8, 224}, Case{1, 24, 4}, Case{5, 24, 16}}) {
        CPaletteDib dib;
        const auto table = GreyTable(c.bits == 8 ? 256 : 0);
        ASSERT_TRUE(dib.Create(c.width, 3, c.bits, table, 0));
        BitmapInfo info;
        ASSERT_TRUE(dib.GetBitmapInfo(info));
        EXPECT_EQ(info.widthBytes, c.stride) << c.width << "x" << c.bits;
    }
}

TEST(PaletteDibCreate, DefaultTablesForOneAndFourBits) {
    CPaletteDib mono;
    ASSERT_TRUE(mono.Create(8, 1, 1, {}, 0));
    ASSERT_EQ(mono.colourTable().size(), 2u);
    EXPECT_EQ(mono.colourTable()[0], (RgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(mono.colourTable()[1], (RgbQuad{255, 255, 255, 0}));

    CPaletteDib sixteen;
    ASSERT_TRUE(sixteen.Create(8, 1, 4, {}, 0));
    ASSERT_EQ(sixteen.colourTable().size(), 16u);
    EXPECT_EQ(sixteen.colourTable()[1], (RgbQuad{0, 0, 128, 0}));  // dark red, stored blue first
    EXPECT_EQ(sixteen.colourTable()[7], (RgbQuad{192, 192, 192, 0}));
    EXPECT_EQ(sixteen.colourTable()[12], (RgbQuad{255, 0, 0, 0}));  // bright blue
}

TEST(PaletteDibCreate, RefusesUnsupportedDepthsShortTablesAndEmptySizes) {
    const auto table = GreyTable(256);
    EXPECT_FALSE(CPaletteDib().Create(4, 4, 16, table, 0));
    EXPECT_FALSE(CPaletteDib().Create(4, 4, 32, table, 0));
    EXPECT_FALSE(CPaletteDib().Create(4, 4, 8, {}, 0));       // no default 8-bit table
    EXPECT_FALSE(CPaletteDib().Create(4, 4, 8, table, 255));  // table shorter than 256
    EXPECT_FALSE(CPaletteDib().Create(4, 4, 4, {}, 15));
    EXPECT_FALSE(CPaletteDib().Create(4, 4, 1, {}, 1));
    EXPECT_FALSE(CPaletteDib().Create(4, 4, 8, GreyTable(16), 0));  // caller's table too short
    EXPECT_FALSE(CPaletteDib().Create(0, 4, 24, {}, 0));
    EXPECT_FALSE(CPaletteDib().Create(4, -4, 24, {}, 0));
    // A count above the full size falls back to the full size.
    CPaletteDib dib;
    ASSERT_TRUE(dib.Create(4, 4, 4, {}, 17));
    EXPECT_EQ(dib.colourTable().size(), 16u);
}

}  // namespace
}  // namespace orvandel
