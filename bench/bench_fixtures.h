#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/image/palette16.h"
#include "core/map/map_state.h"
#include "core/wallset/wall_set.h"

namespace orvandel::bench {

// A folder under the temporary folder, removed with its contents.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

Palette16 BenchPalette();
std::vector<std::uint8_t> RiffPaletteBytes(const Palette16& palette);
void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);

enum class PictureKind { kTrueColourDistinct, kIndexed8 };

// A 320 x 1000 BMP: 24-bit with every pixel a different colour, or 8-bit indexed with a full
// 256-entry table of different colours.
std::vector<std::uint8_t> MaximumPictureBytes(PictureKind kind);

// wallpalette.pal and the six default-named pictures, all of the given kind.
void WriteMaximumWallSet(const std::filesystem::path& folder, PictureKind kind);

// A wall set in memory whose pictures cover every piece of the view.
WallSet FullSizeWallSet();
// Every square a wall.
MapState AllWallMap();
// Pixels one full render writes: the clear plus every piece drawn on an all-wall map.
std::size_t FullRenderPixelBytes();

// The bytes this process has read through system calls so far (/proc/self/io "rchar").
std::uint64_t BytesReadSoFar();

}  // namespace orvandel::bench
