#include "core/map/map_grid_layout.h"

#include <gtest/gtest.h>

#include <utility>

namespace orvandel {
namespace {

TEST(LayoutGrid, WholeSquareCellsCentred) {
    EXPECT_EQ(LayoutGrid(290, 250), (GridLayout{{25, 5, 265, 245}, 15}));
    EXPECT_EQ(LayoutGrid(18, 18), (GridLayout{{1, 1, 17, 17}, 1}));
    EXPECT_EQ(LayoutGrid(17, 300).cellSize, 0);
    EXPECT_TRUE(LayoutGrid(17, 300).grid.IsEmpty());
    EXPECT_EQ(LayoutGrid(-40, -40).cellSize, 0);
}

TEST(CellAtPoint, OnlyInsideTheGrid) {
    const GridLayout layout = LayoutGrid(290, 250);
    EXPECT_EQ(CellAtPoint(layout, 25, 5), (Point{0, 0}));
    EXPECT_EQ(CellAtPoint(layout, 264, 244), (Point{15, 15}));
    EXPECT_EQ(CellAtPoint(layout, 265, 100), std::nullopt);
    EXPECT_EQ(CellAtPoint(layout, 24, 100), std::nullopt);
    EXPECT_EQ(CellAtPoint(layout, 100, 245), std::nullopt);
    EXPECT_EQ(CellAtPoint(LayoutGrid(10, 10), 5, 5), std::nullopt);
    // A hand-made grid wider than the map must not name a cell beyond it.
    EXPECT_EQ(CellAtPoint(GridLayout{{0, 0, 400, 400}, 10}, 255, 5), std::nullopt);
}

TEST(CellAtPoint, EveryGridPixelMapsToTheCellContainingIt) {
    for (const auto& size : {std::pair{290, 250}, std::pair{101, 333}, std::pair{18, 18}}) {
        const GridLayout layout = LayoutGrid(size.first, size.second);
        for (int y = layout.grid.top; y < layout.grid.bottom; ++y) {
            for (int x = layout.grid.left; x < layout.grid.right; ++x) {
                const auto cell = CellAtPoint(layout, x, y);
                ASSERT_TRUE(cell.has_value());
                ASSERT_TRUE(CellRect(layout, cell->x, cell->y).Contains(x, y)) << x << "," << y;
            }
        }
    }
}

TEST(MarkerPoints, DiamondInsideTheCell) {
    const GridLayout odd = LayoutGrid(290, 250);
    EXPECT_EQ(CellRect(odd, 7, 7), (Rect{130, 110, 145, 125}));
    const std::array<Point, 5> expected = {Point{137, 110}, Point{130, 117}, Point{137, 124},
                                           Point{144, 117}, Point{137, 110}};
    EXPECT_EQ(MarkerPoints(odd, 7, 7), expected);
    // With an even size the right and bottom corners reach one pixel into the next cells.
    const GridLayout even{{0, 0, 256, 256}, 16};
    const auto marker = MarkerPoints(even, 0, 0);
    EXPECT_EQ(marker[2], (Point{8, 16}));
    EXPECT_EQ(marker[3], (Point{16, 8}));
}

}  // namespace
}  // namespace orvandel
