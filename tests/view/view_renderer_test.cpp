#include "core/view/view_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/view/blit_piece.h"
#include "core/view/viewport_layout.h"
#include "core/view/viewport_size.h"
#include "view/view_test_helpers.h"

namespace orvandel {
namespace {

using testing::MakeImage;
using testing::MakeViewport;
using testing::ViewportAt;

// "D3L" for an own form, "D3L*" for an alternate one.
std::vector<std::string> Describe(const std::vector<PlannedPiece>& plan) {
    std::vector<std::string> names;
    for (const PlannedPiece& piece : plan) {
        names.push_back(std::string(kViewCellTable[static_cast<std::size_t>(piece.row)].name) +
                        (piece.alternate ? "*" : ""));
    }
    return names;
}

using Names = std::vector<std::string>;

TEST(PlanView, InitialMapFacingNorth) {
    const MapState map;
    EXPECT_EQ(Describe(PlanView(map, false)),
              (Names{"D3LL", "D3RR", "D3L", "D3R", "D2L", "D1R", "D0L", "D0R"}));
    // D3LL and D3RR stand on odd squares but have no alternate.
    EXPECT_EQ(Describe(PlanView(map, true)),
              (Names{"D3LL", "D3RR", "D3L", "D3R", "D2L*", "D1R", "D0L*", "D0R*"}));
}

TEST(PlanView, InitialMapFacingEastWithEvenOdd) {
    MapState map;
    map.Turn(+1);
    EXPECT_EQ(Describe(PlanView(map, true)), (Names{"D3LL", "D3RR", "D3L*", "D3R*", "D3", "D2L",
                                                    "D2R", "D2*", "D1L*", "D1R*", "D1", "D0R"}));
}

TEST(PlanView, SquaresBeyondTheEdgeAreWalls) {
    MapState map;
    map.PlaceViewer(15, 7, 1);
    EXPECT_EQ(Describe(PlanView(map, false)),
              (Names{"D3LL", "D3RR", "D3L", "D3R", "D3", "D2L", "D2R", "D2", "D1L", "D1R", "D1"}));
    // From (0, 0) facing north, D1 looks at (0, -1): 0 + 0 - 1 = -1 is odd.
    map.PlaceViewer(0, 0, 0);
    const auto plan = PlanView(map, true);
    const auto d1 = std::find_if(plan.begin(), plan.end(), [](const PlannedPiece& p) {
        return std::string(kViewCellTable[static_cast<std::size_t>(p.row)].name) == "D1";
    });
    ASSERT_NE(d1, plan.end());
    EXPECT_TRUE(d1->alternate);
}

TEST(PlanView, ViewerOnAWallSquareDrawsD0) {
    MapState map;
    map.ToggleCell(7, 7);
    EXPECT_EQ(Describe(PlanView(map, true)).back(), "D0");  // 0 + 7 + 7 even
    map.Turn(+1);
    EXPECT_EQ(Describe(PlanView(map, true)).back(), "D0*");  // 1 + 7 + 7 odd
}

// Each slot gets its own pattern, including 10s and high nibbles.
WallSet PatternedWallSet() {
    WallSet wallSet;
    const int sizes[6][2] = {{16, 136}, {16, 136}, {256, 111}, {144, 71}, {128, 51}, {8, 49}};
    for (int slot = 0; slot < 6; ++slot) {
        wallSet.images[static_cast<std::size_t>(slot)] =
            MakeImage(sizes[slot][0], sizes[slot][1],
                      [slot](int x, int y) { return (x * 7 + y * 3 + slot * 5) % 32; });
    }
    return wallSet;
}

std::vector<std::uint8_t> Pixels(const CPaletteDib& dib) {
    return {dib.GetBits(), dib.GetBits() + kViewportWidth * kViewportHeight};
}

TEST(ComposeView, ClearsThenDrawsWithoutTransparentIndex) {
    const WallSet wallSet = PatternedWallSet();
    MapState map;
    map.Turn(+1);
    CPaletteDib dib;
    MakeViewport(dib);
    ComposeView(dib, wallSet, map, true);
    const auto pixels = Pixels(dib);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kTransparentIndex), 0);
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t p) { return p < 16; }));
    EXPECT_GT(std::count_if(pixels.begin(), pixels.end(), [](std::uint8_t p) { return p != 0; }),
              10000);

    ComposeView(dib, WallSet{}, map, true);  // all slots empty: index 0 everywhere
    const auto cleared = Pixels(dib);
    EXPECT_TRUE(std::all_of(cleared.begin(), cleared.end(), [](std::uint8_t p) { return p == 0; }));
}

TEST(ComposeView, EvenOddOnAndOffAgainRestoresTheView) {
    const WallSet wallSet = PatternedWallSet();
    const MapState map;
    CPaletteDib dib;
    MakeViewport(dib);
    ComposeView(dib, wallSet, map, false);
    const auto before = Pixels(dib);
    ComposeView(dib, wallSet, map, true);
    EXPECT_NE(Pixels(dib), before);
    ComposeView(dib, wallSet, map, false);
    EXPECT_EQ(Pixels(dib), before);
}

TEST(ComposeView, D0AlternateCopiesTopLeftPixelOfSlot5) {
    WallSet wallSet;
    wallSet.images[5] = MakeImage(8, 49, [](int x, int y) { return x == 0 && y == 0 ? 7 : 2; });
    MapState map;
    map.ToggleCell(7, 7);
    map.Turn(+1);  // facing east: 1 + 7 + 7 is odd
    CPaletteDib dib;
    MakeViewport(dib);
    ComposeView(dib, wallSet, map, true);
    EXPECT_EQ(ViewportAt(dib, 0, 0), 7);
}

TEST(ComposeView, LeavesABitmapOfAnotherShapeAlone) {
    CPaletteDib dib;
    MakeViewport(dib, 100, 50);
    ComposeView(dib, PatternedWallSet(), MapState{}, false);
    EXPECT_EQ(dib.GetBits()[0], testing::kUntouched);
}

TEST(ViewRenderer, ColourTableFollowsThePaletteAtEveryRender) {
    WallSet wallSet;
    wallSet.palette[0] = MakeColour(0x10, 0x20, 0x30);
    wallSet.palette[15] = MakeColour(0xFF, 0x80, 0x01);
    ViewRenderer renderer;
    ASSERT_TRUE(renderer.RenderView(wallSet, MapState{}, false));
    const auto table = renderer.viewport().colourTable();
    ASSERT_EQ(table.size(), 256u);
    EXPECT_EQ(table[0], (RgbQuad{0x30, 0x20, 0x10, 0}));
    EXPECT_EQ(table[15], (RgbQuad{0x01, 0x80, 0xFF, 0}));
    EXPECT_EQ(table[16], RgbQuad{});

    // A palette read after the viewport was created (edited, or missing at start) reaches it.
    wallSet.palette[0] = MakeColour(1, 2, 3);
    ASSERT_TRUE(renderer.RenderView(wallSet, MapState{}, false));
    EXPECT_EQ(renderer.viewport().colourTable()[0], (RgbQuad{3, 2, 1, 0}));
    EXPECT_EQ(renderer.viewport().colourTable()[15], (RgbQuad{0x01, 0x80, 0xFF, 0}));
}

TEST(LayoutViewport, LargestWholeScaleCentred) {
    struct Case {
        int width, height, scale;
        Rect rect;
    };
    const Case cases[] = {
        {224, 136, 1, {0, 0, 224, 136}},   {227, 139, 1, {1, 1, 225, 137}},
        {500, 300, 2, {26, 14, 474, 286}}, {700, 300, 2, {126, 14, 574, 286}},
        {100, 300, 0, {50, 150, 50, 150}}, {0, 0, 0, {0, 0, 0, 0}},
        {-50, 300, 0, {0, 150, 0, 150}},
    };
    for (const Case& c : cases) {
        const ViewportLayout layout = LayoutViewport(c.width, c.height);
        EXPECT_EQ(layout.scale, c.scale) << c.width << "x" << c.height;
        EXPECT_EQ(layout.rect, c.rect) << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace orvandel
