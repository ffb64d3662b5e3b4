#include "core/image/indexed_image.h"

#include <gtest/gtest.h>

#include "core/image/palette_dib.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

TEST(IndexedImageInit, SizesTheBufferAndStoresTheShape) {
    CIndexedImage image;
    ASSERT_TRUE(image.Init(3, 2));
    EXPECT_EQ(image.width(), 3);
    EXPECT_EQ(image.height(), 2);
    image.SetIndex(5, 9);
    EXPECT_EQ(image.GetIndex(2, 1), 9);
}

TEST(IndexedImageInit, ZeroOrNegativeSizesChangeNothing) {
    CIndexedImage image;
    ASSERT_TRUE(image.Init(2, 2));
    image.SetIndex(0, 7);
    const std::uint8_t* before = image.pixels();
    EXPECT_FALSE(image.Init(0, 5));
    EXPECT_FALSE(image.Init(5, 0));
    EXPECT_FALSE(image.Init(-1, -1));
    EXPECT_FALSE(image.Init(65536, 65536));  // the 32-bit product wraps to 0
    EXPECT_EQ(image.width(), 2);
    EXPECT_EQ(image.height(), 2);
    EXPECT_EQ(image.pixels(), before);
    EXPECT_EQ(image.GetIndex(0, 0), 7);
}

TEST(IndexedImageSetIndex, AllOverloadsStoreTheLowByte) {
    CIndexedImage image;
    ASSERT_TRUE(image.Init(4, 1));
    image.SetIndex(0, 0x1FF);
    image.SetIndex(1u, 0x203u);
    image.SetIndex(std::size_t{2}, std::uint8_t{5});
    EXPECT_EQ(image.GetIndex(0, 0), 0xFF);
    EXPECT_EQ(image.GetIndex(1, 0), 0x03);
    EXPECT_EQ(image.GetIndex(2, 0), 5);
}

TEST(IndexedImageSetIndex, WritesOutsideTheBufferAreIgnored) {
    CIndexedImage empty;
    empty.SetIndex(0, 1);  // no buffer: nothing to write
    EXPECT_TRUE(empty.IsEmpty());

    CIndexedImage image;
    ASSERT_TRUE(image.Init(2, 1));
    image.SetIndex(0, 1);
    image.SetIndex(1, 2);
    image.SetIndex(2, 3);
    image.SetIndex(-1, 4);
    image.SetIndex(1000u, 5u);
    EXPECT_EQ(image.GetIndex(0, 0), 1);
    EXPECT_EQ(image.GetIndex(1, 0), 2);
}

TEST(IndexedImageGetIndex, EmptyImageReadsZeroEverywhere) {
    CIndexedImage image;
    EXPECT_EQ(image.GetIndex(0, 0), 0);
    EXPECT_EQ(image.GetIndex(319, 999), 0);
}

TEST(IndexedImageClear, FreesPixelsButKeepsPalette) {
    CIndexedImage image;
    const Palette16 palette = testing::TestPalette();
    image.SetPalette(palette);
    ASSERT_TRUE(image.Init(2, 2));
    image.Clear();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.height(), 0);
    EXPECT_EQ(image.palette(), palette);
}

TEST(IndexedImageCreateDib4, PacksTwoPixelsPerByteBottomUp) {
    CIndexedImage image;
    image.SetPalette(testing::TestPalette());
    ASSERT_TRUE(image.Init(3, 2));
    for (int i = 0; i < 6; ++i) {
        image.SetIndex(i, i + 1);  // top row 1,2,3; bottom row 4,5,6
    }
    const auto dib = image.CreateDib4();
    ASSERT_NE(dib, nullptr);
    BitmapInfo info;
    ASSERT_TRUE(dib->GetBitmapInfo(info));
    EXPECT_EQ(info.bitsPerPixel, 4);
    EXPECT_EQ(info.widthBytes, 4);
    const std::uint8_t* bits = dib->GetBits();
    EXPECT_EQ(bits[0], 0x45);  // bottom row first
    EXPECT_EQ(bits[1] >> 4, 6);
    EXPECT_EQ(bits[4], 0x12);
    EXPECT_EQ(bits[5] >> 4, 3);
    ASSERT_EQ(dib->colourTable().size(), 16u);
    const Colour c = image.palette()[9];
    EXPECT_EQ(dib->colourTable()[9], (RgbQuad{BlueOf(c), GreenOf(c), RedOf(c), 0}));
}

TEST(IndexedImageCreateDib4, EmptyImageGivesNoBitmap) {
    EXPECT_EQ(CIndexedImage().CreateDib4(), nullptr);
}

}  // namespace
}  // namespace orvandel
