#include "core/map/map_grid_layout.h"

#include <algorithm>
#include <cstdint>

#include "core/map/map_state.h"

namespace orvandel {

GridLayout LayoutGrid(int clientWidth, int clientHeight) {
    // One pixel of margin on every side, then whole square cells centred in what is left.
    const int s = std::max(0, std::min((clientWidth - 2) / 16, (clientHeight - 2) / 16));
    const int cx = (1 + (clientWidth - 1)) / 2;
    const int cy = (1 + (clientHeight - 1)) / 2;
    const int left = cx - 8 * s;
    const int top = cy - 8 * s;
    return GridLayout{Rect{left, top, left + kMapSize * s, top + kMapSize * s}, s};
}

std::optional<Point> CellAtPoint(const GridLayout& layout, int px, int py) {
    const int s = layout.cellSize;
    if (s <= 0 || !layout.grid.Contains(px, py)) {
        return std::nullopt;
    }
    const auto column = static_cast<int>(((std::int64_t{px} - layout.grid.left) / s) & 0x1F);
    const auto row = static_cast<int>(((std::int64_t{py} - layout.grid.top) / s) & 0x1F);
    // Only a grid wider than 16 cells, which LayoutGrid never makes, could point past the map.
    if (column >= kMapSize || row >= kMapSize) {
        return std::nullopt;
    }
    return Point{column, row};
}

Rect CellRect(const GridLayout& layout, int x, int y) {
    const int s = layout.cellSize;
    const int left = layout.grid.left + x * s;
    const int top = layout.grid.top + y * s;
    return Rect{left, top, left + s, top + s};
}

std::array<Point, 5> MarkerPoints(const GridLayout& layout, int x, int y) {
    const Rect cell = CellRect(layout, x, y);
    const int s = layout.cellSize;
    const int mx = (cell.left + cell.right) / 2;
    const int my = (cell.top + cell.bottom) / 2;
    // With an even cell size the far corners land one pixel into the neighbouring cells.
    const int reach = 2 * (s / 2);
    return {Point{mx, cell.top}, Point{cell.left, my}, Point{mx, cell.top + reach},
            Point{cell.left + reach, my}, Point{mx, cell.top}};
}

}  // namespace orvandel
