#include "core/image/indexed_image.h"

#include <gtest/gtest.h>

#include "support/test_pictures.h"

namespace orvandel {
namespace {

TEST(IndexedImageInit, SizesTheBufferAndStoresTheShape) {
    CIndexedImage image;
    ASSERT_TRUE(image.Init(3, 2));
    EXPECT_EQ(image.width(), 3);
    EXPECT_EQ(image.height(), 2);
    image.pixels()[5] = 9;
    EXPECT_EQ(image.GetIndex(2, 1), 9);
}

TEST(IndexedImageInit, ZeroOrNegativeSizesChangeNothing) {
    CIndexedImage image;
    ASSERT_TRUE(image.Init(2, 2));
    image.pixels()[0] = 7;
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

}  // namespace
}  // namespace orvandel
