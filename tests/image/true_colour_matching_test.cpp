// The true-colour conversion answers most colours from a table over their top five bits per
// channel; these cases aim at the places where that shortcut could part from the octree walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/image/indexed_image.h"

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
        const auto& all = palette.colours();
        approximated += std::find(all.begin(), all.end(), colours[i]) == all.end() ? 1u : 0u;
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

}  // namespace
}  // namespace orvandel
