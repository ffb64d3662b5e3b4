#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/image/bmp_decoder.h"
#include "image/bmp_decoder_builder.h"

namespace orvandel {
namespace {

using testing::BmpCompression;
using testing::BmpRecipe;
using testing::BuildBmp;

struct Variant {
    int infoSize;
    int bitsPerPixel;
    BmpCompression compression;
    bool topDown;
    bool shortTable;
};

std::string VariantName(const ::testing::TestParamInfo<Variant>& info) {
    const Variant& v = info.param;
    return "h" + std::to_string(v.infoSize) + "_" + std::to_string(v.bitsPerPixel) + "bit_" +
           (v.compression == BmpCompression::kRle ? "rle_" : "raw_") +
           (v.topDown ? "topdown" : "bottomup") + (v.shortTable ? "_shorttable" : "");
}

std::vector<Variant> AllVariants() {
    std::vector<Variant> out;
    for (int infoSize : {12, 16, 40, 52, 56, 64, 108, 124}) {
        for (int bpp : {1, 4, 8, 24}) {
            // The OS/2 core header has unsigned 16-bit sizes; the 16-byte OS/2 header has no
            // compression field.
            const bool canTopDown = infoSize != 12;
            const bool canRle = infoSize > 16 && (bpp == 4 || bpp == 8);
            for (auto compression : {BmpCompression::kNone, BmpCompression::kRle}) {
                if (compression == BmpCompression::kRle && !canRle) {
                    continue;
                }
                for (bool topDown : {false, true}) {
                    if (topDown && (!canTopDown || compression == BmpCompression::kRle)) {
                        continue;
                    }
                    for (bool shortTable : {false, true}) {
                        if (shortTable && bpp == 24) {
                            continue;
                        }
                        out.push_back({infoSize, bpp, compression, topDown, shortTable});
                    }
                }
            }
        }
    }
    return out;
}

BmpRecipe SpecFor(const Variant& v) {
    BmpRecipe recipe;
    recipe.infoSize = v.infoSize;
    recipe.width = 13;  // odd, and not a whole number of bytes or words at any depth
    recipe.height = 7;
    recipe.topDown = v.topDown;
    recipe.bitsPerPixel = v.bitsPerPixel;
    recipe.compression = v.compression;
    const auto w = static_cast<std::size_t>(recipe.width);
    const auto h = static_cast<std::size_t>(recipe.height);
    if (v.bitsPerPixel == 24) {
        for (std::size_t y = 0; y < h; ++y) {
            for (std::size_t x = 0; x < w; ++x) {
                recipe.pixels.push_back(MakeColour(static_cast<std::uint8_t>(x * 19),
                                                   static_cast<std::uint8_t>(y * 31 + 1),
                                                   static_cast<std::uint8_t>(x * y * 7 + 2)));
            }
        }
        return recipe;
    }
    const std::size_t full = std::size_t{1} << v.bitsPerPixel;
    const std::size_t tableSize = v.shortTable ? (full == 2 ? 1 : full / 2 - 1) : full;
    for (std::size_t i = 0; i < tableSize; ++i) {
        recipe.table.push_back(MakeColour(static_cast<std::uint8_t>(i * 5 + 3),
                                          static_cast<std::uint8_t>(255 - i),
                                          static_cast<std::uint8_t>(i * 11)));
    }
    // Runs at the left for the RLE encoder's repeat path, varied pixels to the right for its
    // absolute runs.
    for (std::size_t y = 0; y < h; ++y) {
        for (std::size_t x = 0; x < w; ++x) {
            const std::size_t value = x < 4 ? y : x * 7 + y * 3 + x / 3;
            recipe.indices.push_back(static_cast<std::uint8_t>(value % tableSize));
        }
    }
    return recipe;
}

class BmpVariantTest : public ::testing::TestWithParam<Variant> {};

TEST_P(BmpVariantTest, DecodesToTheWrittenPixels) {
    const BmpRecipe recipe = SpecFor(GetParam());
    const auto file = BuildBmp(recipe);
    const DecodeResult result = BmpDecoder::DecodeBytes(file);
    ASSERT_TRUE(result.picture) << result.reason;
    const DecodedPicture& picture = *result.picture;
    EXPECT_EQ(picture.width, recipe.width);
    EXPECT_EQ(picture.height, recipe.height);
    EXPECT_EQ(picture.bitsPerPixel, recipe.bitsPerPixel);
    if (recipe.bitsPerPixel == 24) {
        EXPECT_EQ(picture.pixels, recipe.pixels);
        return;
    }
    EXPECT_EQ(picture.indices, recipe.indices);
    ASSERT_EQ(picture.colourTable.size(), std::size_t{1} << recipe.bitsPerPixel);
    for (std::size_t i = 0; i < picture.colourTable.size(); ++i) {
        const Colour expected = i < recipe.table.size() ? recipe.table[i] : Colour{0};
        EXPECT_EQ(picture.colourTable[i], expected) << "entry " << i;
    }
    EXPECT_EQ(picture.ColourAt(12, 6), recipe.table[recipe.indices.back()]);
}

INSTANTIATE_TEST_SUITE_P(AllLayouts, BmpVariantTest, ::testing::ValuesIn(AllVariants()),
                         VariantName);

TEST(BmpDecoderTest, ColoursUsedZeroMeansAFullTable) {
    BmpRecipe recipe = SpecFor({40, 4, BmpCompression::kNone, false, false});
    recipe.writeColoursUsed = false;
    const auto result = BmpDecoder::DecodeBytes(BuildBmp(recipe));
    ASSERT_TRUE(result.picture) << result.reason;
    EXPECT_EQ(result.picture->colourTable[15], recipe.table[15]);
}

TEST(BmpDecoderTest, UnusedBytesBeforeThePixelsAreSkipped) {
    BmpRecipe recipe = SpecFor({40, 8, BmpCompression::kNone, false, true});
    recipe.gapBeforePixels = 37;
    const auto result = BmpDecoder::DecodeBytes(BuildBmp(recipe));
    ASSERT_TRUE(result.picture) << result.reason;
    EXPECT_EQ(result.picture->indices, recipe.indices);
}

TEST(BmpDecoderTest, IndicesPastTheTableReadAsBlack) {
    BmpRecipe recipe;
    recipe.width = 3;
    recipe.height = 1;
    recipe.bitsPerPixel = 8;
    recipe.table = {MakeColour(1, 2, 3), MakeColour(4, 5, 6)};
    recipe.indices = {1, 2, 255};
    const auto result = BmpDecoder::DecodeBytes(BuildBmp(recipe));
    ASSERT_TRUE(result.picture) << result.reason;
    EXPECT_EQ(result.picture->ColourAt(0, 0), MakeColour(4, 5, 6));
    EXPECT_EQ(result.picture->ColourAt(1, 0), Colour{0});
    EXPECT_EQ(result.picture->ColourAt(2, 0), Colour{0});
}

TEST(BmpDecoderTest, LargestPictureDecodesAndOneMoreIsRefused) {
    BmpRecipe recipe;
    recipe.bitsPerPixel = 1;
    recipe.table = {MakeColour(0, 0, 0), MakeColour(255, 255, 255)};
    recipe.width = kMaxPictureWidth;
    recipe.height = kMaxPictureHeight;
    recipe.indices.assign(static_cast<std::size_t>(recipe.width * recipe.height), 1);
    const auto largest = BmpDecoder::DecodeBytes(BuildBmp(recipe));
    ASSERT_TRUE(largest.picture) << largest.reason;
    EXPECT_EQ(largest.picture->indices, recipe.indices);

    recipe.width = kMaxPictureWidth + 1;
    recipe.height = 10;
    recipe.indices.assign(static_cast<std::size_t>(recipe.width * recipe.height), 1);
    EXPECT_EQ(BmpDecoder::DecodeBytes(BuildBmp(recipe)).reason,
              "too wide: 321 > 320; crop or scale it down");

    recipe.width = 10;
    recipe.height = kMaxPictureHeight + 1;
    recipe.topDown = true;
    recipe.indices.assign(static_cast<std::size_t>(recipe.width * recipe.height), 1);
    EXPECT_EQ(BmpDecoder::DecodeBytes(BuildBmp(recipe)).reason,
              "too tall: 1001 > 1000; crop or scale it down");
}

}  // namespace
}  // namespace orvandel
