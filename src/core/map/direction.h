#pragma once

#include <array>

namespace orvandel {

// The viewer's facing: 0 north, 1 east, 2 south, 3 west. North is toward smaller y.
using Direction = int;

inline constexpr std::array<int, 4> DX = {0, 1, 0, -1};
inline constexpr std::array<int, 4> DY = {-1, 0, 1, 0};

constexpr char DirectionLetter(Direction d) {
    return "NESW"[d & 3];
}
constexpr Direction TurnedBy(Direction d, int delta) {
    return (d + delta) & 3;
}
constexpr Direction RightOf(Direction d) {
    return (d + 1) & 3;
}

}  // namespace orvandel
