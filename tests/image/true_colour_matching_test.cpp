// The true-colour conversion answers most colours from tables over their top four and five bits
// per channel and finishes the rest from tables over the low bits; these cases aim at the places
// where those shortcuts could part from the octree walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "bmp_decoder_builder.h"
#include "core/image/bmp_decoder.h"
#include "core/image/indexed_image.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

Colour Clamped(int red, int green, int blue) {
    auto clamp = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
    return MakeColour(clamp(red), clamp(green), clamp(blue));
}

void ExpectEveryPixelMatchesTheOctree(const Palette16& palette, std::vector<Colour> colours) {
    // Pictures are at most 320 wide: lay the colours out in rows, the last one padded.
    constexpr std::size_t kWidth = 100;
    colours.resize((colours.size() + kWidth - 1) / kWidth * kWidth, colours.front());
    DecodedPicture picture;
    picture.width = static_cast<int>(kWidth);
    picture.height = static_cast<int>(colours.size() / kWidth);
    picture.bitsPerPixel = 24;
    picture.pixels = colours;
    CIndexedImage image;
    image.SetPalette(palette);
    const Status status = image.LoadFromPicture(picture);
    ASSERT_TRUE(status) << status.reason();

    std::uint32_t approximated = 0;
    std::uint32_t transparent = 0;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const std::uint8_t expected = MatchColour(palette, colours[i]);
        ASSERT_EQ(image.pixels()[i], expected)
            << std::hex << "colour " << colours[i] << " pixel " << std::dec << i;
        // Approximated: not the colour of the index it became, even when another entry has it.
        approximated += (colours[i] & 0xFFFFFFu) != palette[expected] ? 1u : 0u;
        transparent += expected == 10 ? 1u : 0u;
    }
    EXPECT_EQ(image.loadInfo().approximatedPixels, approximated);
    EXPECT_EQ(image.loadInfo().transparentPixels, transparent);
}

// Colours on and around every palette colour, plus random ones.
std::vector<Colour> ColoursAround(const Palette16& palette, std::mt19937& random) {
    std::vector<Colour> colours;
    for (const Colour c : palette.colours()) {
        for (int d = -9; d <= 9; ++d) {
            colours.push_back(Clamped(RedOf(c) + d, GreenOf(c), BlueOf(c)));
            colours.push_back(Clamped(RedOf(c), GreenOf(c) + d, BlueOf(c) - d));
            colours.push_back(Clamped(RedOf(c) + d, GreenOf(c) + d, BlueOf(c) + d));
        }
    }
    for (int i = 0; i < 4000; ++i) {
        colours.push_back(static_cast<Colour>(random() & 0xFFFFFF));
    }
    return colours;
}

TEST(TrueColourMatching, ClusteredPalettesStillFollowTheOctree) {
    std::mt19937 random(7);
    // Greys one apart, so that most of them share all five top bits and the walk is decided
    // in the low bits; dark colours near entry 0, which the octree treats as empty.
    Palette16 greys;
    for (int i = 0; i < Palette16::kSize; ++i) {
        greys[i] = MakeColour(static_cast<std::uint8_t>(96 + i), static_cast<std::uint8_t>(96 + i),
                              static_cast<std::uint8_t>(96 + i));
    }
    ExpectEveryPixelMatchesTheOctree(greys, ColoursAround(greys, random));

    Palette16 nearBlack;
    for (int i = 0; i < Palette16::kSize; ++i) {
        nearBlack[i] =
            MakeColour(static_cast<std::uint8_t>(i % 3), static_cast<std::uint8_t>(i / 3),
                       static_cast<std::uint8_t>(i % 2));
    }
    ExpectEveryPixelMatchesTheOctree(nearBlack, ColoursAround(nearBlack, random));
}

TEST(TrueColourMatching, RepeatedAndZeroIndexColoursFollowTheOctree) {
    std::mt19937 random(11);
    for (int round = 0; round < 30; ++round) {
        Palette16 palette;
        for (int i = 0; i < Palette16::kSize; ++i) {
            palette[i] = static_cast<Colour>(random() & 0xFFFFFF);
        }
        // Entry 0 repeated higher up, an entry sharing entry 0's prefix, and a lone black 0.
        palette[5] = palette[0];
        palette[6] = palette[1] ^ 0x030102;
        if (round % 3 == 0) {
            palette[0] = 0;
        }
        if (round % 4 == 0) {
            for (int i = 8; i < 16; ++i) {
                palette[i] = palette[7];  // many entries of one colour: the highest wins
            }
        }
        ExpectEveryPixelMatchesTheOctree(palette, ColoursAround(palette, random));
    }
}

// Every combination of the low three bits of each channel under each palette colour's top
// five, and a step across the fourth bit: the colours that reach the low-bits tables and the
// coarse table's open prefixes.
std::vector<Colour> EveryLowBitsAround(const Palette16& palette) {
    std::vector<Colour> colours;
    for (const Colour c : palette.colours()) {
        for (Colour low = 0; low < 512; ++low) {
            const Colour bits = (low & 7) | (((low >> 3) & 7) << 8) | ((low >> 6) << 16);
            colours.push_back((c & 0xF8F8F8) | bits);
            colours.push_back(((c ^ 0x080808) & 0xF8F8F8) | bits);
        }
    }
    return colours;
}

TEST(TrueColourMatching, PalettesDecidedOnlyInTheLowBitsFollowTheOctree) {
    std::mt19937 random(23);
    for (int round = 0; round < 40; ++round) {
        Palette16 palette;
        // Eight pairs that share their top five bits and differ below: as many open nodes as
        // a palette can have. Later rounds fold pairs together, repeat colours, and let
        // entry 0 share a node with others.
        for (int pair = 0; pair < 8; ++pair) {
            const Colour base = static_cast<Colour>(random() & 0xF8F8F8);
            palette[2 * pair] = base | static_cast<Colour>(random() & 0x070707);
            palette[2 * pair + 1] = base | static_cast<Colour>(random() & 0x070707);
        }
        if (round % 2 == 1) {
            palette[2] = palette[0] ^ 0x010000;
            palette[4] = palette[0] ^ 0x000001;
        }
        if (round % 3 == 2) {
            palette[9] = palette[8];
            palette[15] = palette[0];
        }
        if (round % 5 == 4) {
            for (int i = 1; i < Palette16::kSize; ++i) {
                palette[i] = (palette[0] & 0xF0F0F0) | static_cast<Colour>(random() & 0x0F0F0F);
            }
        }
        std::vector<Colour> colours = EveryLowBitsAround(palette);
        const std::vector<Colour> more = ColoursAround(palette, random);
        colours.insert(colours.end(), more.begin(), more.end());
        ExpectEveryPixelMatchesTheOctree(palette, colours);
    }
}

// 24-bit files are matched row by row while they are decoded; the result must be the one the
// whole decoded picture gives, whichever way up the rows are stored and however wide.
TEST(TrueColourMatching, FilesMatchAsTheirDecodedPicturesDo) {
    std::mt19937 random(31);
    Palette16 palette = testing::TestPalette();
    palette[3] = palette[2] ^ 0x000101;
    testing::TempFolder folder;
    for (const int width : {1, 3, 17, 320}) {
        for (const bool topDown : {false, true}) {
            testing::BmpRecipe recipe;
            recipe.width = width;
            recipe.height = 7;
            recipe.topDown = topDown;
            recipe.bitsPerPixel = 24;
            for (int i = 0; i < width * recipe.height; ++i) {
                recipe.pixels.push_back(i % 3 == 0 ? palette[static_cast<int>(random() % 16)]
                                                   : static_cast<Colour>(random() & 0xFFFFFF));
            }
            const std::vector<std::uint8_t> bytes = testing::BuildBmp(recipe);
            const auto path = folder / "wall.bmp";
            testing::WriteFileBytes(path, {bytes.begin(), bytes.end()});

            CIndexedImage fromFile;
            fromFile.SetPalette(palette);
            ASSERT_TRUE(fromFile.LoadFromFile(path));
            const DecodeResult decoded = BmpDecoder::DecodeBytes(bytes);
            ASSERT_TRUE(decoded.picture) << decoded.reason;
            CIndexedImage fromPicture;
            fromPicture.SetPalette(palette);
            ASSERT_TRUE(fromPicture.LoadFromPicture(*decoded.picture));

            ASSERT_EQ(fromFile.width(), width);
            ASSERT_EQ(fromFile.height(), 7);
            const auto count = static_cast<std::size_t>(width) * 7;
            EXPECT_TRUE(
                std::equal(fromFile.pixels(), fromFile.pixels() + count, fromPicture.pixels()))
                << width << (topDown ? " top-down" : " bottom-up");
            EXPECT_EQ(fromFile.loadInfo().approximatedPixels,
                      fromPicture.loadInfo().approximatedPixels);
            EXPECT_EQ(fromFile.loadInfo().transparentPixels,
                      fromPicture.loadInfo().transparentPixels);
            EXPECT_EQ(fromFile.loadInfo().bitsPerPixel, 24);
        }
    }
}

TEST(TrueColourMatching, ATruncatedFileLeavesTheImageAsItWas) {
    const Palette16 palette = testing::TestPalette();
    testing::TempFolder folder;
    const auto path = folder / "short.bmp";
    std::vector<unsigned char> bytes = testing::MakeBmp(5, 4, 24, std::vector<Colour>(20, 1));
    bytes.resize(bytes.size() - 3);
    testing::WriteFileBytes(path, bytes);

    CIndexedImage image;
    image.SetPalette(palette);
    DecodedPicture before;
    before.width = 2;
    before.height = 1;
    before.bitsPerPixel = 24;
    before.pixels = {palette[6], palette[6]};
    ASSERT_TRUE(image.LoadFromPicture(before));
    EXPECT_FALSE(image.LoadFromFile(path));
    EXPECT_EQ(image.width(), 2);
    EXPECT_EQ(image.height(), 1);
    EXPECT_EQ(image.GetIndex(1, 0), 6);
}

}  // namespace
}  // namespace orvandel
