#include "core/map/map_state.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/view/view_cell_table.h"

namespace orvandel {
namespace {

TEST(MapState, StartsWithRingCorridorAndViewer) {
    const MapState map;
    const Point open[] = {{7, 7}, {7, 6}, {7, 5}, {7, 4}, {6, 6}, {8, 5}};
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            const bool ring = x == 0 || y == 0 || x == 15 || y == 15;
            const bool corridor =
                std::find(std::begin(open), std::end(open), Point{x, y}) != std::end(open);
            EXPECT_EQ(map.Cell(x, y), ring || corridor ? kFloorCell : kWallCell) << x << "," << y;
        }
    }
    EXPECT_EQ(map.viewerX(), 7);
    EXPECT_EQ(map.viewerY(), 7);
    EXPECT_EQ(map.viewerDirection(), 0);
}

TEST(MapState, CellTypesAndSquaresOffTheMap) {
    MapState map;
    map.SetCell(3, 3, 0x3F);
    EXPECT_FALSE(map.IsWallAt(3, 3));  // any byte of type 1 is floor
    map.SetCell(3, 3, 0x40);
    EXPECT_TRUE(map.IsWallAt(3, 3));
    EXPECT_TRUE(map.IsWallAt(-1, 0));
    EXPECT_TRUE(map.IsWallAt(0, 16));
    map.SetCell(16, 0, kFloorCell);  // ignored, must not spill into row 1
    EXPECT_EQ(map.Cell(0, 1), kFloorCell);
    EXPECT_EQ(map.Cell(1, 1), kWallCell);
}

TEST(MapState, ToggleFlipsFloorBitOnTheMapOnly) {
    MapState map;
    map.ToggleCell(0, 0);
    EXPECT_EQ(map.Cell(0, 0), kWallCell);
    map.ToggleCell(0, 0);
    map.ToggleCell(-1, 5);
    map.ToggleCell(3, 16);
    EXPECT_EQ(map.cells(), MapState().cells());
    map.SetCell(4, 4, 0x25);
    map.ToggleCell(4, 4);
    EXPECT_EQ(map.Cell(4, 4), 0x05);  // only the floor bit changes
}

TEST(MapStateWalk, ThroughWallsUntilTheEdge) {
    MapState map;
    const int expectedY[] = {6, 5, 4, 3, 2, 1, 0, 0, 0};
    for (const int y : expectedY) {
        map.Walk(kStepForward);
        EXPECT_EQ(map.viewerY(), y);
        EXPECT_EQ(map.viewerX(), 7);
    }
    map.PlaceViewer(0, 9, 3);
    map.Walk(kStepForward);  // west at x = 0
    EXPECT_EQ(map.viewerX(), 0);
    EXPECT_EQ(map.viewerY(), 9);
}

TEST(MapStateWalk, StepsAreRelativeToTheFacing) {
    struct Case {
        Direction facing;
        int step;
        int dx, dy;
    };
    const Case cases[] = {
        {1, kStepLeft, 0, -1},   {1, kStepRight, 0, 1},  {1, kStepBack, -1, 0},
        {2, kStepForward, 0, 1}, {3, kStepRight, 0, -1}, {0, 7, -1, 0},  // 7 is 3 mod 4
        {0, -1, -1, 0},
    };
    for (const Case& c : cases) {
        MapState map;
        map.PlaceViewer(7, 7, c.facing);
        map.Walk(c.step);
        EXPECT_EQ(map.viewerX(), 7 + c.dx) << c.facing << "/" << c.step;
        EXPECT_EQ(map.viewerY(), 7 + c.dy) << c.facing << "/" << c.step;
        EXPECT_EQ(map.viewerDirection(), c.facing);
    }
}

TEST(MapStateTurn, WrapsAround) {
    MapState map;
    map.Turn(-1);
    EXPECT_EQ(map.viewerDirection(), 3);
    map.Turn(+1);
    EXPECT_EQ(map.viewerDirection(), 0);
    map.PlaceViewer(99, -4, 7);  // placement keeps the viewer on the map
    EXPECT_EQ(map.viewerX(), 15);
    EXPECT_EQ(map.viewerY(), 0);
    EXPECT_EQ(map.viewerDirection(), 3);
}

}  // namespace
}  // namespace orvandel
