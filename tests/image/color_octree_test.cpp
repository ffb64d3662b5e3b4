#include "core/image/color_octree.h"

#include <gtest/gtest.h>

#include "core/image/indexed_image.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

constexpr Colour kBlack = MakeColour(0, 0, 0);
constexpr Colour kWhite = MakeColour(255, 255, 255);

Palette16 Filled(Colour colour) {
    Palette16 palette;
    for (int i = 0; i < Palette16::kSize; ++i) {
        palette[i] = colour;
    }
    return palette;
}

TEST(ColorOctree, EmptyOrMovedFromTreeFindsIndexZero) {
    CColorOctree tree;
    EXPECT_EQ(tree.Lookup(kWhite), 0);
    tree.Insert(kWhite, 4);
    CColorOctree moved(std::move(tree));
    EXPECT_EQ(moved.Lookup(kWhite), 4);
    EXPECT_EQ(tree.Lookup(kWhite), 0);  // a moved-from tree is empty, not broken
}

TEST(ColorOctree, PaletteColoursFindTheirOwnIndex) {
    const Palette16 palette = testing::TestPalette();
    const CColorOctree tree = CColorOctree::FromPalette(palette);
    for (int i = 1; i < Palette16::kSize; ++i) {
        EXPECT_EQ(tree.Lookup(palette[i]), i);
    }
}

TEST(ColorOctree, LaterInsertionOfTheSameColourWins) {
    Palette16 palette = testing::TestPalette();
    palette[3] = MakeColour(1, 2, 3);
    palette[7] = MakeColour(1, 2, 3);
    EXPECT_EQ(MatchColour(palette, MakeColour(1, 2, 3)), 7);
}

TEST(ColorOctree, EntryZeroIsOnlyFoundByFallingThrough) {
    Palette16 palette = Filled(kWhite);
    palette[0] = MakeColour(10, 10, 10);
    EXPECT_EQ(MatchColour(palette, MakeColour(10, 10, 10)), 0);
    // An entry differing only in the lowest bits shares entry 0's leaf and takes its colour.
    palette[5] = MakeColour(11, 10, 11);
    EXPECT_EQ(MatchColour(palette, MakeColour(10, 10, 10)), 5);
}

TEST(ColorOctree, GreedyDescentNeverBacktracks) {
    // Only entry 0 lives in white's branch; the search stays there and finds nothing.
    Palette16 palette = Filled(kBlack);
    palette[0] = kWhite;
    EXPECT_EQ(MatchColour(palette, MakeColour(254, 254, 254)), 0);
    EXPECT_EQ(MatchColour(palette, kBlack), 15);
}

TEST(ColorOctree, MidGreyPrefersTheBranchOfItsHighBits) {
    Palette16 palette = Filled(kWhite);
    palette[1] = MakeColour(128, 128, 128);
    palette[2] = kBlack;
    EXPECT_EQ(MatchColour(palette, MakeColour(127, 127, 127)), 2);
    EXPECT_EQ(MatchColour(palette, MakeColour(128, 128, 128)), 1);
    EXPECT_EQ(MatchColour(palette, kWhite), 15);
}

TEST(ColorOctree, NeighbourSlotsAreTriedRedThenGreenThenBlue) {
    // Black's own top-level slot is empty; red, green and blue sit in the neighbouring ones.
    Palette16 palette = Filled(kWhite);
    palette[1] = MakeColour(255, 0, 0);
    palette[2] = MakeColour(0, 255, 0);
    palette[3] = MakeColour(0, 0, 255);
    EXPECT_EQ(MatchColour(palette, kBlack), 1);
    palette[1] = kWhite;
    EXPECT_EQ(MatchColour(palette, kBlack), 2);
    palette[2] = kWhite;
    EXPECT_EQ(MatchColour(palette, kBlack), 3);
    palette[3] = kWhite;
    EXPECT_EQ(MatchColour(palette, kBlack), 15);
    // Yellow (red + green) is preferred over blue, which differs in one bit only but comes later.
    palette[4] = MakeColour(255, 255, 0);
    palette[5] = MakeColour(0, 0, 255);
    EXPECT_EQ(MatchColour(palette, kBlack), 4);
}

}  // namespace
}  // namespace orvandel
