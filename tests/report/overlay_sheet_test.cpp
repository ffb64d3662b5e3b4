#include "core/report/overlay_sheet.h"

#include <gtest/gtest.h>

#include "core/image/indexed_image.h"
#include "core/report/view_problems.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

// Every slot holds a small 24-bit picture of palette colour 3, narrower than it needs, with one
// approximated pixel at (1, 0) and one see-through approximation at (2, 1).
struct SmallSet {
    WallSet wallSet;
    WallSetReport report;
};

SmallSet MakeSmallSet() {
    SmallSet set;
    set.wallSet.palette = testing::TestPalette();
    const Palette16& palette = set.wallSet.palette;
    LoadReport load;
    load.paletteLoaded = true;
    for (int slot = 0; slot < 6; ++slot) {
        DecodedPicture picture;
        picture.width = 6;
        picture.height = 4;
        picture.bitsPerPixel = 24;
        picture.pixels.assign(24, palette[3]);
        picture.pixels[1] = palette[3] ^ 0x010101u;
        picture.pixels[6 + 2] = palette[10] ^ 0x1u;
        CIndexedImage& image = set.wallSet.images[static_cast<std::size_t>(slot)];
        image.SetPalette(palette);
        EXPECT_TRUE(image.LoadFromPicture(picture));
        load.names[static_cast<std::size_t>(slot)] = "picture " + std::to_string(slot);
    }
    EXPECT_EQ(MatchColour(palette, palette[10] ^ 0x1u), kTransparentIndex);
    EXPECT_NE(MatchColour(palette, palette[3] ^ 0x010101u), kTransparentIndex);
    set.report = BuildWallSetReport(set.wallSet, load);
    return set;
}

TEST(OverlaySheet, MarksEveryPixelOfEveryPictureAsTheLegendSays) {
    const SmallSet set = MakeSmallSet();
    const RgbCanvas sheet = ComposeOverlaySheet(set.wallSet, set.report, 2);
    const auto placements = OverlaySheetPlacements(set.report, 2);
    const Palette16& palette = set.wallSet.palette;
    for (std::size_t slot = 0; slot < 6; ++slot) {
        const SheetPlacement& at = placements[slot];
        const PictureReport& picture = set.report.pictures[slot];
        ASSERT_EQ(at.width, picture.neededWidth);
        ASSERT_EQ(at.height, picture.neededHeight);
        for (int y = 0; y < at.height * 2; ++y) {
            for (int x = 0; x < at.width * 2; ++x) {
                const int px = x / 2;
                const int py = y / 2;
                const int sx = at.left + x;
                const int sy = at.top + y;
                Colour expected = palette[3];
                if (px >= 6 || py >= 4) {
                    expected = IsHatchPixel(sx, sy) ? kMissingMarkColour : MakeColour(40, 40, 40);
                } else if (px == 1 && py == 0) {
                    expected = kApproximatedMarkColour;
                } else if (px == 2 && py == 1) {
                    expected = kSeeThroughMarkColour;
                }
                ASSERT_EQ(sheet.At(sx, sy), expected)
                    << "slot " << slot << " picture pixel " << px << "," << py;
            }
        }
    }
}

TEST(OverlaySheet, ViewMarksFollowTheComposedView) {
    const SmallSet set = MakeSmallSet();
    MapState map;
    map.PlaceViewer(8, 8, 0);
    const std::vector<ProblemMark> marks = MarkViewProblems(set.wallSet, map, false);
    // The right side at distance 0 is drawn last over its corner: its (1, 0) is approximated,
    // and everything of it beyond the 6 x 4 picture is missing.
    const auto markAt = [&](int x, int y) { return marks[static_cast<std::size_t>(y * 224 + x)]; };
    EXPECT_EQ(markAt(193, 0), ProblemMark::Approximated);
    EXPECT_EQ(markAt(194, 1), ProblemMark::SeeThrough);
    EXPECT_EQ(markAt(192, 0), ProblemMark::None);
    EXPECT_EQ(markAt(198, 0), ProblemMark::Missing);
    EXPECT_EQ(markAt(192, 100), ProblemMark::Missing);
}

// A name outside ASCII takes one glyph per character, not one per byte.
TEST(OverlaySheet, TextDrawsOneGlyphPerCharacter) {
    RgbCanvas canvas(200, 10, MakeColour(0, 0, 0));
    const int plain = canvas.DrawText(0, 0, "Wande?", MakeColour(255, 255, 255));
    RgbCanvas other(200, 10, MakeColour(0, 0, 0));
    EXPECT_EQ(other.DrawText(0, 0, "W\xc3\xa4nde\xe2\x82\xac", MakeColour(255, 255, 255)), plain);
    EXPECT_EQ(other.bytes(), [&] {
        RgbCanvas expected(200, 10, MakeColour(0, 0, 0));
        expected.DrawText(0, 0, "W?nde?", MakeColour(255, 255, 255));
        return expected.bytes();
    }());
}

}  // namespace
}  // namespace orvandel
