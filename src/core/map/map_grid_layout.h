#pragma once

#include <array>
#include <optional>

#include "core/common/geometry.h"

namespace orvandel {

// Where the map grid sits in a control of the given client size: whole square cells, centred
// inside a one-pixel margin. Cell size 0 (a control under 18 pixels) means no grid at all.
struct GridLayout {
    Rect grid;
    int cellSize = 0;
    friend bool operator==(const GridLayout&, const GridLayout&) = default;
};

GridLayout LayoutGrid(int clientWidth, int clientHeight);

// The cell under a client point, or nothing when the point lies outside the grid.
std::optional<Point> CellAtPoint(const GridLayout& layout, int px, int py);

// The screen rectangle of cell (x, y).
Rect CellRect(const GridLayout& layout, int x, int y);

// The viewer marker: a closed diamond (first point repeated last) inside cell (x, y).
std::array<Point, 5> MarkerPoints(const GridLayout& layout, int x, int y);

}  // namespace orvandel
