#pragma once

#include <array>

namespace orvandel {

struct WallSetKey {
    const char* key;          // in section "BMP"
    const char* defaultName;  // used when the file, the section or the key is missing
    const char* description;
};

inline constexpr const char* kWallSetSection = "BMP";
inline constexpr const char* kPaletteFileName = "wallpalette.pal";

// Key of image slot k is kWallSetKeys[k].
inline constexpr std::array<WallSetKey, 6> kWallSetKeys = {{
    {"0084", "0084 [Dungeon Graphics - Wall (Right Side 0)] .bmp", "right side at distance 0"},
    {"0085", "0085 [Dungeon Graphics - Wall (Left Side 0)] .bmp", "left side at distance 0"},
    {"0086", "0086 [Dungeon Graphics - Wall (Front and Sides 1)] .bmp",
     "front and sides at distance 1"},
    {"0087", "0087 [Dungeon Graphics - Wall (Front and Sides 2)] .bmp",
     "front and sides at distance 2"},
    {"0088", "0088 [Dungeon Graphics - Wall (Front and Sides 3)] .bmp",
     "front and sides at distance 3"},
    {"0089", "0089 [Dungeon Graphics - Wall (Far Left Side 3)] .bmp",
     "far left side at distance 3"},
}};

}  // namespace orvandel
