#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/common/geometry.h"
#include "core/map/direction.h"
#include "core/wallset/wall_set_slots.h"

namespace orvandel {

// One wall piece of the first-person view: the square it stands for, relative to the viewer,
// where it goes in the viewport (inclusive rectangle) and where its pixels come from.
struct ViewCell {
    std::int8_t lateral;    // squares to the viewer's right; negative is left
    std::int8_t forward;    // squares ahead
    std::int8_t alternate;  // row supplying the even/odd alternate picture; -1 none
    const char* name;       // null for the terminator
    std::uint8_t left, top, right, bottom;
    std::uint8_t referenceWidth, referenceHeight;
    std::uint8_t sourceX, sourceY;
    std::uint8_t slot;  // image slot 0..6
    bool mirrored;
};

inline constexpr int kViewCellCount = 14;

// Drawing order: farthest first; at each distance outer, left, right, centre.
// clang-format off
inline constexpr std::array<ViewCell, kViewCellCount + 1> kViewCellTable = {{
    // lat fwd alt  name    left top right bottom refW refH  srcX srcY slot mirrored
    {-2, 3, -1, "D3LL",     0,  25,  15,  73,    8,  49,    0,  0,  5, false},
    { 2, 3, -1, "D3RR",   208,  25, 223,  73,    8,  49,    0,  0,  5, true },
    {-1, 3,  3, "D3L",      0,  25,  83,  75,   64,  51,   32,  0,  4, false},
    { 1, 3,  2, "D3R",    139,  25, 223,  75,   64,  51,    0,  0,  4, false},
    { 0, 3,  4, "D3",      74,  25, 149,  75,   64,  51,   18,  0,  4, false},
    {-1, 2,  6, "D2L",      0,  20,  74,  90,   72,  71,   61,  0,  3, false},
    { 1, 2,  5, "D2R",    149,  20, 223,  90,   72,  71,    0,  0,  3, false},
    { 0, 2,  7, "D2",      60,  20, 163,  90,   72,  71,   16,  0,  3, false},
    {-1, 1,  9, "D1L",      0,   9,  63, 119,  128, 111,  192,  0,  2, false},
    { 1, 1,  8, "D1R",    160,   9, 223, 119,  128, 111,    0,  0,  2, false},
    { 0, 1, 10, "D1",      32,   9, 191, 119,  128, 111,   48,  0,  2, false},
    {-1, 0, 12, "D0L",      0,   0,  31, 135,   16, 136,    0,  0,  1, false},
    { 1, 0, 11, "D0R",    192,   0, 223, 135,   16, 136,    0,  0,  0, false},
    { 0, 0,  0, "D0",       0,   0,   0,   0,    0,   0,    0,  0,  6, false},
    { 0, 0,  0, nullptr,    0,   0,   0,   0,    0,   0,    0,  0,  0, false},
}};
// clang-format on

// The 14 named rows in table order, without the terminator.
constexpr std::span<const ViewCell> ViewCells() {
    return std::span<const ViewCell>(kViewCellTable.data(), kViewCellCount);
}

// What a blit of one piece needs: destination rectangle (inclusive), source point, slot, flag.
struct PieceForm {
    int left, top, right, bottom;
    int sourceX, sourceY;
    int slot;
    bool mirrored;
    friend bool operator==(const PieceForm&, const PieceForm&) = default;
};

PieceForm OwnForm(int row);
// The row's own rectangle with the named row's source and slot, mirrored flag flipped; a row
// without an alternate gives its own form unchanged.
PieceForm AlternateForm(int row);

// The map square a row stands for, seen from (x, y) facing d. May lie outside the map.
Point ViewSquare(int x, int y, Direction d, int row);

}  // namespace orvandel
