#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/image/palette16.h"

namespace orvandel {

// A colour of the file that the palette does not hold at the index it was matched to.
struct ApproximatedColour {
    Colour colour = 0;  // as in the file
    std::uint8_t index = 0;
    std::uint32_t pixels = 0;
    friend bool operator==(const ApproximatedColour&, const ApproximatedColour&) = default;
};

// Counts the pixels whose file colour differs from the palette colour of their index, by
// colour. Every distinct colour is kept with its exact count: a 320 x 1000 picture has at most
// 320,000 of them. Built only when a report asks for the list, never by the load itself.
class MatchTally {
public:
    explicit MatchTally(const Palette16& palette) : m_palette(palette.colours()) {}

    // A run of file colours and the indices they became.
    void AddRun(const Colour* colours, const std::uint8_t* indices, std::size_t count);
    // `pixels` pixels of one colour that became `index` (a colour-table entry).
    void AddColour(Colour colour, std::uint8_t index, std::uint64_t pixels);

    std::uint32_t approximatedPixels() const { return m_approximated; }
    std::uint32_t seeThroughPixels() const { return m_seeThrough; }
    // Most pixels first, then by colour (red, green, blue as "#rrggbb" sorts).
    std::vector<ApproximatedColour> Colours() const;

private:
    void Insert(std::uint32_t key, std::uint32_t pixels);
    void Grow();

    std::array<Colour, Palette16::kSize> m_palette;
    std::uint32_t m_approximated = 0;
    std::uint32_t m_seeThrough = 0;
    // Open addressing: a key is the colour with (index + 1) in the top byte, so 0 is free.
    std::vector<std::uint32_t> m_keys;
    std::vector<std::uint32_t> m_counts;
    std::size_t m_used = 0;
    std::uint32_t m_lastKey = 0;  // drawn pictures repeat a colour along a row
    std::size_t m_lastSlot = 0;
};

}  // namespace orvandel
