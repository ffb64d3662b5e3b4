#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/image/indexed_image.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

DecodedPicture TrueColourPicture(int width, int height, Colour fill = 0) {
    DecodedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitsPerPixel = 24;
    picture.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    return picture;
}

DecodedPicture IndexedPicture(int width, int height, int bits, std::vector<Colour> table) {
    DecodedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitsPerPixel = bits;
    picture.colourTable = std::move(table);
    picture.indices.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    return picture;
}

CIndexedImage ImageWithPalette(const Palette16& palette) {
    CIndexedImage image;
    image.SetPalette(palette);
    return image;
}

// What the conversion must produce: one octree lookup per pixel, plus the report's counts.
struct Reference {
    std::vector<std::uint8_t> indices;
    std::uint32_t approximated = 0;
    std::uint32_t transparent = 0;
};

Reference MatchPixelByPixel(const DecodedPicture& picture, const Palette16& palette) {
    Reference ref;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Colour colour = picture.ColourAt(x, y);
            const std::uint8_t index = MatchColour(palette, colour);
            ref.indices.push_back(index);
            // Approximated: the file's colour is not the colour of the index it became, even
            // when another palette entry holds it.
            ref.approximated += (colour & 0xFFFFFFu) != palette[index] ? 1u : 0u;
            ref.transparent += index == 10 ? 1u : 0u;
        }
    }
    return ref;
}

void ExpectMatchesReference(const DecodedPicture& picture, const Palette16& palette) {
    CIndexedImage image = ImageWithPalette(palette);
    const Status status = image.LoadFromPicture(picture);
    ASSERT_TRUE(status) << status.reason();
    const Reference ref = MatchPixelByPixel(picture, palette);
    ASSERT_EQ(image.width(), picture.width);
    ASSERT_EQ(image.height(), picture.height);
    EXPECT_TRUE(std::equal(ref.indices.begin(), ref.indices.end(), image.pixels()));
    EXPECT_EQ(image.loadInfo().approximatedPixels, ref.approximated);
    EXPECT_EQ(image.loadInfo().transparentPixels, ref.transparent);
    EXPECT_EQ(image.loadInfo().bitsPerPixel, picture.bitsPerPixel);
}

Colour RandomColour(std::mt19937& random) {
    return static_cast<Colour>(random() & 0xFFFFFF);
}

// A palette with random colours, some of them repeated, and colours close to each other.
Palette16 RandomPalette(std::mt19937& random) {
    Palette16 palette;
    for (int i = 0; i < Palette16::kSize; ++i) {
        palette[i] = RandomColour(random);
    }
    palette[9] = palette[4];
    palette[10] = palette[0] ^ 0x010101;
    return palette;
}

TEST(PictureMatching, TrueColourPicturesMatchPixelByPixelLookup) {
    std::mt19937 random(1234);
    for (int round = 0; round < 20; ++round) {
        const Palette16 palette = RandomPalette(random);
        DecodedPicture picture = TrueColourPicture(1 + static_cast<int>(random() % 120),
                                                   1 + static_cast<int>(random() % 90));
        // Few distinct colours in some rounds (as in drawn walls), thousands in others.
        std::vector<Colour> colours(round % 2 == 0 ? 40 : 5000);
        for (Colour& c : colours) {
            c = random() % 3 == 0 ? palette[static_cast<int>(random() % 16)] : RandomColour(random);
        }
        for (Colour& pixel : picture.pixels) {
            pixel = colours[random() % colours.size()];
        }
        ExpectMatchesReference(picture, palette);
    }
}

TEST(PictureMatching, IndexedPicturesMatchPixelByPixelLookup) {
    std::mt19937 random(99);
    for (const int bits : {1, 4, 8}) {
        for (int round = 0; round < 5; ++round) {
            const Palette16 palette = RandomPalette(random);
            const std::size_t tableSize = std::size_t{1} << bits;
            std::vector<Colour> table(tableSize);
            for (Colour& c : table) {
                c = random() % 2 == 0 ? palette[static_cast<int>(random() % 16)]
                                      : RandomColour(random);
            }
            DecodedPicture picture =
                IndexedPicture(1 + static_cast<int>(random() % 100),
                               1 + static_cast<int>(random() % 100), bits, table);
            for (std::uint8_t& index : picture.indices) {
                index = static_cast<std::uint8_t>(random() % tableSize);
            }
            ExpectMatchesReference(picture, palette);
        }
    }
}

TEST(PictureMatching, PaletteColoursAreExactAndIndexTenIsCounted) {
    const Palette16 palette = testing::TestPalette();
    DecodedPicture picture = TrueColourPicture(4, 1);
    picture.pixels = {palette[10], palette[3], palette[10] ^ 0x000001, palette[15]};
    CIndexedImage image = ImageWithPalette(palette);
    ASSERT_TRUE(image.LoadFromPicture(picture));
    EXPECT_EQ(image.GetIndex(0, 0), 10);
    EXPECT_EQ(image.GetIndex(1, 0), 3);
    EXPECT_EQ(image.GetIndex(3, 0), 15);
    EXPECT_EQ(image.loadInfo().approximatedPixels, 1u);
    EXPECT_EQ(image.loadInfo().transparentPixels, image.GetIndex(2, 0) == 10 ? 2u : 1u);
}

TEST(PictureLimits, LargestPictureLoadsAndOneMoreFails) {
    const Palette16 palette = testing::TestPalette();
    CIndexedImage image = ImageWithPalette(palette);
    const Status largest = image.LoadFromPicture(TrueColourPicture(320, 1000, palette[6]));
    ASSERT_TRUE(largest) << largest.reason();
    EXPECT_EQ(image.GetIndex(319, 999), 6);

    struct Case {
        int width;
        int height;
        const char* reason;
    };
    for (const Case c : {Case{321, 10, "too wide: 321 > 320; crop or scale it down"},
                         Case{10, 1001, "too tall: 1001 > 1000; crop or scale it down"},
                         Case{-1, 10, "too wide: -1 > 320; crop or scale it down"},
                         Case{10, -5, "too tall: -5 > 1000; crop or scale it down"}}) {
        DecodedPicture picture;  // refused on its size before any pixel is looked at
        picture.width = c.width;
        picture.height = c.height;
        picture.bitsPerPixel = 24;
        CIndexedImage refused = ImageWithPalette(palette);
        const Status status = refused.LoadFromPicture(picture);
        EXPECT_EQ(status.reason(), c.reason);
        EXPECT_TRUE(refused.IsEmpty());
        EXPECT_EQ(refused.loadInfo().sourceWidth, c.width);
        EXPECT_EQ(refused.loadInfo().sourceHeight, c.height);
    }
}

TEST(PictureLimits, OnlyDepthsOneFourEightAndTwentyFourConvert) {
    const Palette16 palette = testing::TestPalette();
    for (const int bits : {16, 32, 2, 0}) {
        DecodedPicture picture = TrueColourPicture(2, 2);
        picture.bitsPerPixel = bits;
        CIndexedImage image = ImageWithPalette(palette);
        EXPECT_EQ(image.LoadFromPicture(picture).reason(),
                  std::to_string(bits) + " bits per pixel: save as 8-bit indexed or 24-bit");
        EXPECT_EQ(image.loadInfo().bitsPerPixel, bits);
    }
}

TEST(PictureLimits, RefusedPicturesLeaveTheImageAsItWas) {
    const Palette16 palette = testing::TestPalette();
    CIndexedImage image = ImageWithPalette(palette);
    ASSERT_TRUE(image.LoadFromPicture(TrueColourPicture(3, 2, palette[5])));

    DecodedPicture badIndex = IndexedPicture(2, 2, 8, {palette[1], palette[2]});
    badIndex.indices[3] = 2;  // past the end of the table
    DecodedPicture shortPixels = TrueColourPicture(2, 2);
    shortPixels.pixels.pop_back();
    for (const DecodedPicture& picture :
         {TrueColourPicture(400, 2), TrueColourPicture(0, 4), badIndex, shortPixels}) {
        EXPECT_FALSE(image.LoadFromPicture(picture));
        EXPECT_EQ(image.width(), 3);
        EXPECT_EQ(image.height(), 2);
        EXPECT_EQ(image.GetIndex(2, 1), 5);
    }
}

TEST(PictureFileLoading, BmpFilesOfEveryConvertedDepthLoad) {
    const Palette16 palette = testing::TestPalette();
    const std::vector<Colour> pixels = {palette[1], palette[2], palette[3],
                                        palette[2], palette[1], palette[3]};
    const std::vector<Colour> table = {palette[1], palette[2], palette[3], palette[4]};
    testing::TempFolder folder;
    for (const int bits : {4, 8, 24}) {
        const auto path = folder / ("wall" + std::to_string(bits) + ".bmp");
        testing::WriteFileBytes(path, testing::MakeBmp(3, 2, bits, pixels, table));
        CIndexedImage image = ImageWithPalette(palette);
        const Status status = image.LoadFromFile(path);
        ASSERT_TRUE(status) << bits << ": " << status.reason();
        EXPECT_EQ(image.loadInfo().bitsPerPixel, bits);
        EXPECT_EQ(image.GetIndex(0, 0), 1);
        EXPECT_EQ(image.GetIndex(2, 0), 3);
        EXPECT_EQ(image.GetIndex(1, 1), 1);
    }
    const auto mono = folder / "mono.bmp";
    testing::WriteFileBytes(
        mono, testing::MakeBmp(2, 1, 1, {palette[7], palette[0]}, {palette[0], palette[7]}));
    CIndexedImage image = ImageWithPalette(palette);
    ASSERT_TRUE(image.LoadFromFile(mono));
    EXPECT_EQ(image.GetIndex(0, 0), 7);
}

TEST(PictureFileLoading, DecoderRefusalsKeepTheImageAndGiveTheReason) {
    const Palette16 palette = testing::TestPalette();
    CIndexedImage image = ImageWithPalette(palette);
    ASSERT_TRUE(image.LoadFromPicture(TrueColourPicture(2, 2, palette[4])));
    testing::TempFolder folder;
    const Status missing = image.LoadFromFile(folder / "nothing.bmp");
    EXPECT_FALSE(missing);
    EXPECT_FALSE(missing.reason().empty());
    EXPECT_EQ(image.loadInfo().bitsPerPixel, 0);

    const auto wide = folder / "wide.bmp";
    testing::WriteFileBytes(wide, testing::MakeBmp(321, 1, 24, std::vector<Colour>(321)));
    EXPECT_EQ(image.LoadFromFile(wide).reason(), "too wide: 321 > 320; crop or scale it down");
    EXPECT_EQ(image.width(), 2);
    EXPECT_EQ(image.GetIndex(1, 1), 4);
}

}  // namespace
}  // namespace orvandel
