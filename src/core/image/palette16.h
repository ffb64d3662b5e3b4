#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>

#include "core/common/status.h"

namespace orvandel {

// A colour as the wall set stores it: 0x00BBGGRR (red in the low byte, top byte zero).
using Colour = std::uint32_t;

constexpr Colour MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Colour{red} | (Colour{green} << 8) | (Colour{blue} << 16);
}
constexpr std::uint8_t RedOf(Colour c) {
    return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t GreenOf(Colour c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t BlueOf(Colour c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

// The palette index that the game never draws: pixels of this index let the wall behind show.
inline constexpr std::uint8_t kTransparentIndex = 10;

// The wall set's 16 colours. Index i is the palette index that indexed pictures store.
class Palette16 {
public:
    static constexpr int kSize = 16;

    Colour& operator[](int index) { return m_colours[static_cast<std::size_t>(index)]; }
    Colour operator[](int index) const { return m_colours[static_cast<std::size_t>(index)]; }
    const std::array<Colour, kSize>& colours() const { return m_colours; }
    friend bool operator==(const Palette16&, const Palette16&) = default;

    // Reads a RIFF palette ("wallpalette.pal"). Writes nothing to this palette unless every
    // check passed.
    Status ReadPaletteFile(const std::filesystem::path& fileName);
    // The same rules applied to a file already in memory (used by tests and fuzzing).
    Status ReadPaletteBytes(std::span<const std::uint8_t> bytes);

private:
    std::array<Colour, kSize> m_colours{};
};

}  // namespace orvandel
