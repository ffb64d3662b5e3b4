#pragma once

#include <array>
#include <cstdint>

#include "core/map/direction.h"

namespace orvandel {

inline constexpr int kMapSize = 16;
inline constexpr std::uint8_t kWallCell = 0x00;
inline constexpr std::uint8_t kFloorCell = 0x20;

// The top three bits are the cell type; type 1 (0x20..0x3F) is open floor, all else is wall.
constexpr bool IsOpenFloor(std::uint8_t cell) {
    return (cell & 0xE0) == 0x20;
}

// Walking step codes, relative to the facing.
enum StepCode : int { kStepForward = 0, kStepRight = 1, kStepBack = 2, kStepLeft = 3 };

// The 16 x 16 test map and the viewer standing on it. Every run starts from the same layout.
class MapState {
public:
    MapState();  // the initial layout, viewer at (7, 7) facing north

    std::uint8_t Cell(int x, int y) const;  // x, y in 0..15
    void SetCell(int x, int y, std::uint8_t value);
    // Squares outside the map count as wall.
    bool IsWallAt(int x, int y) const;

    // Moves one square (step code relative to the facing), each axis clamped to 0..15.
    // Walls do not stop the viewer.
    void Walk(int step);
    // delta -1 turns left, +1 right.
    void Turn(int delta);
    void ToggleCell(int x, int y);
    void PlaceViewer(int x, int y, Direction d);

    int viewerX() const { return m_viewerX; }
    int viewerY() const { return m_viewerY; }
    Direction viewerDirection() const { return m_direction; }
    const std::array<std::uint8_t, kMapSize * kMapSize>& cells() const { return m_cells; }

private:
    std::array<std::uint8_t, kMapSize * kMapSize> m_cells{};
    int m_viewerX = 7;
    int m_viewerY = 7;
    Direction m_direction = 0;
};

}  // namespace orvandel
