#include "core/map/map_state.h"

#include <algorithm>
#include <string_view>

namespace orvandel {

namespace {

// The map every run starts from: '#' wall, '.' open floor. The viewer stands at (7, 7) facing
// north, looking down a three-square corridor with an opening west of the first square ahead
// and one east of the second.
// clang-format off
constexpr std::array<std::string_view, kMapSize> kInitialMap = {
    "................",
    ".##############.",
    ".##############.",
    ".##############.",
    ".######.#######.",
    ".######..######.",
    ".#####..#######.",
    ".######.#######.",
    ".##############.",
    ".##############.",
    ".##############.",
    ".##############.",
    ".##############.",
    ".##############.",
    ".##############.",
    "................",
};
// clang-format on

constexpr bool IsOnMap(int x, int y) {
    return x >= 0 && x < kMapSize && y >= 0 && y < kMapSize;
}

constexpr std::size_t CellIndex(int x, int y) {
    return static_cast<std::size_t>(y * kMapSize + x);
}

constexpr int ClampToMap(int v) {
    return std::clamp(v, 0, kMapSize - 1);
}

}  // namespace

MapState::MapState() {
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            const char c = kInitialMap[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            m_cells[CellIndex(x, y)] = c == '.' ? kFloorCell : kWallCell;
        }
    }
}

std::uint8_t MapState::Cell(int x, int y) const {
    return IsOnMap(x, y) ? m_cells[CellIndex(x, y)] : kWallCell;
}

void MapState::SetCell(int x, int y, std::uint8_t value) {
    if (IsOnMap(x, y)) {
        m_cells[CellIndex(x, y)] = value;
    }
}

bool MapState::IsWallAt(int x, int y) const {
    return !IsOnMap(x, y) || !IsOpenFloor(m_cells[CellIndex(x, y)]);
}

void MapState::Walk(int step) {
    // Masking before adding keeps any step code from overflowing; the result is the same mod 4.
    const auto d = static_cast<std::size_t>((m_direction + (step & 3)) & 3);
    m_viewerX = ClampToMap(m_viewerX + DX[d]);
    m_viewerY = ClampToMap(m_viewerY + DY[d]);
}

void MapState::Turn(int delta) {
    m_direction = TurnedBy(m_direction, delta & 3);
}

void MapState::ToggleCell(int x, int y) {
    if (IsOnMap(x, y)) {
        m_cells[CellIndex(x, y)] ^= kFloorCell;
    }
}

void MapState::PlaceViewer(int x, int y, Direction d) {
    m_viewerX = ClampToMap(x);
    m_viewerY = ClampToMap(y);
    m_direction = d & 3;
}

}  // namespace orvandel
