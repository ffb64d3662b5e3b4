#include "core/view/view_cell_table.h"

#include <gtest/gtest.h>

#include <string>

namespace orvandel {
namespace {

int RowNamed(const std::string& name) {
    for (int row = 0; row < kViewCellCount; ++row) {
        if (name == kViewCellTable[static_cast<std::size_t>(row)].name) {
            return row;
        }
    }
    ADD_FAILURE() << "no row " << name;
    return 0;
}

TEST(ViewSquare, FarRowsForEveryFacing) {
    const char* const rows[] = {"D3LL", "D3RR", "D3L", "D3R", "D3"};
    const Point expected[4][5] = {
        {{3, 2}, {7, 2}, {4, 2}, {6, 2}, {5, 2}},  // north
        {{8, 3}, {8, 7}, {8, 4}, {8, 6}, {8, 5}},  // east
        {{7, 8}, {3, 8}, {6, 8}, {4, 8}, {5, 8}},  // south
        {{2, 7}, {2, 3}, {2, 6}, {2, 4}, {2, 5}},  // west
    };
    for (Direction d = 0; d < 4; ++d) {
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(ViewSquare(5, 5, d, RowNamed(rows[i])), expected[d][i])
                << rows[i] << " facing " << DirectionLetter(d);
        }
        EXPECT_EQ(ViewSquare(5, 5, d, RowNamed("D0")), (Point{5, 5}));
    }
}

TEST(ViewSquare, MayLieOutsideTheMap) {
    EXPECT_EQ(ViewSquare(0, 0, 0, RowNamed("D1R")), (Point{1, -1}));
    EXPECT_EQ(ViewSquare(15, 7, 1, RowNamed("D1")), (Point{16, 7}));
    EXPECT_EQ(ViewSquare(15, 7, 1, RowNamed("D3")), (Point{18, 7}));
}

TEST(PieceForms, AlternateTakesNamedSourceAndFlipsOwnMirroring) {
    struct Case {
        const char* row;
        PieceForm expected;
    };
    const Case cases[] = {
        {"D3L", {0, 25, 83, 75, 0, 0, 4, true}},     {"D3", {74, 25, 149, 75, 18, 0, 4, true}},
        {"D0L", {0, 0, 31, 135, 0, 0, 0, true}},     {"D0", {0, 0, 0, 0, 0, 0, 5, true}},
        {"D3LL", {0, 25, 15, 73, 0, 0, 5, false}},    // no alternate: own form
        {"D3RR", {208, 25, 223, 73, 0, 0, 5, true}},  // no alternate: own form, still mirrored
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AlternateForm(RowNamed(c.row)), c.expected) << c.row;
    }
    EXPECT_EQ(OwnForm(RowNamed("D0")).slot, 6);  // the always-empty slot: draws nothing
}

TEST(ViewCellTable, ConsistentWithItsNames) {
    EXPECT_EQ(ViewCells().size(), 14u);
    EXPECT_EQ(kViewCellTable[kViewCellCount].name, nullptr);
    for (int row = 0; row < kViewCellCount; ++row) {
        const ViewCell& cell = kViewCellTable[static_cast<std::size_t>(row)];
        const std::string name = cell.name;
        SCOPED_TRACE(name);
        // "D<forward>" then one L or R per square to that side.
        EXPECT_EQ(name[1] - '0', cell.forward);
        const auto lefts = std::count(name.begin(), name.end(), 'L');
        const auto rights = std::count(name.begin(), name.end(), 'R');
        EXPECT_EQ(rights - lefts, cell.lateral);
        EXPECT_LE(cell.left, cell.right);
        EXPECT_LE(cell.top, cell.bottom);
        EXPECT_LT(cell.right, 224);
        EXPECT_LT(cell.bottom, 136);
        EXPECT_LT(cell.slot, kImageSlotCount);
        EXPECT_EQ(cell.mirrored, name == "D3RR");
        // Side pieces pair up with their opposite at the same distance; centres name themselves.
        if (cell.alternate >= 0 && name != "D0") {
            const ViewCell& other = kViewCellTable[static_cast<std::size_t>(cell.alternate)];
            EXPECT_EQ(other.forward, cell.forward);
            EXPECT_EQ(other.lateral, -cell.lateral);
            EXPECT_EQ(other.alternate, row);
        }
    }
}

}  // namespace
}  // namespace orvandel
