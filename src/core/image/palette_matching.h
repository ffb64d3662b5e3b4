#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/image/decoded_picture.h"
#include "core/image/match_tally.h"
#include "core/image/palette16.h"
#include "core/image/picture_decoder.h"

namespace orvandel {

class CIndexedImage;

struct MatchCounts {
    // Pixels whose colour is not the palette colour of the index they became.
    std::uint32_t approximated = 0;
    std::uint32_t transparent = 0;  // pixels that became index 10
    std::uint32_t seeThrough = 0;   // approximated pixels that became index 10
};

// The octree's walk is greedy and looks at one bit of each channel per level, so the top five
// bits of a colour decide which level-5 node the walk reaches, and that node with the low three
// bits decides the rest. A table over the 2^15 prefixes holds the answer wherever the entries
// under the node all share one colour, which with 16 colours is almost every prefix. The other
// nodes hold two colours or more each, so there are at most eight of them; for each, a table
// over the 2^9 low bits finishes the walk. No colour walks the octree itself.
//
// Most palettes are decided by the top four bits already, so a 4 KiB table over those answers
// first: it stays in the level-1 cache while the pixels stream past, where the 32 KiB one would
// not, and only the prefixes it leaves open go on to the larger table.
class PrefixMatcher {
public:
    explicit PrefixMatcher(const Palette16& palette);

    // Matches `count` colours into `out`; the hot loop of every true-colour load.
    MatchCounts MatchRun(const Colour* colours, std::size_t count, std::uint8_t* out) const;

private:
    static constexpr int kLevels = 8;
    static constexpr int kPrefixLevels = 5;
    static constexpr std::size_t kBlock = 256;
    // Table entries: a palette index, flagged when a palette colour has this prefix (only
    // those pixels can be exact), or kOpen: in the coarse table, ask the fine one; in the fine
    // one, plus the number of a low-bits table.
    static constexpr std::uint8_t kPaletteHere = 0x40;
    static constexpr std::uint8_t kOpen = 0x80;
    static constexpr std::size_t kLowSize = std::size_t{1} << (3 * (kLevels - kPrefixLevels));

    static std::size_t SlotAt(Colour colour, int level);
    static std::uint32_t KeyOf(std::uint32_t red, std::uint32_t green, std::uint32_t blue);
    static std::uint32_t KeyOf(Colour colour);
    static std::uint32_t CoarseKeyOf(Colour colour);
    static std::size_t LowKeyOf(Colour colour);
    static std::size_t LowSlotAt(std::size_t low, int level);

    std::uint8_t Settle(std::uint8_t entry, Colour colour, std::uint32_t& exact,
                        std::uint32_t& exactTen) const;
    void Fill(int level, std::uint16_t members, std::uint32_t red, std::uint32_t green,
              std::uint32_t blue);
    std::uint16_t Descend(int level, std::uint16_t members, std::size_t slot) const;
    std::size_t LowTable(std::uint16_t members);
    std::uint8_t LeafResult(std::uint16_t members, std::size_t slot) const;
    void FillCoarse();
    void FillBelow(int level, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                   std::uint8_t entry);
    std::optional<std::uint8_t> ForcedResult(std::uint16_t members) const;

    const Palette16& m_palette;
    std::array<std::array<std::uint16_t, 8>, static_cast<std::size_t>(kLevels)> m_membersBySlot{};
    std::array<std::uint8_t, std::size_t{1} << (3 * kPrefixLevels)> m_table{};
    std::array<std::uint8_t, std::size_t{1} << (3 * (kPrefixLevels - 1))> m_coarse{};
    // Each open node holds at least two different colours, so there are at most eight.
    std::array<std::uint16_t, Palette16::kSize / 2> m_lowMembers{};
    std::size_t m_lowCount = 0;
    std::array<std::uint8_t, Palette16::kSize / 2 * kLowSize> m_low{};
};

// Whether the picture's buffers fit its size and its indices its colour table.
bool IsConsistent(const DecodedPicture& picture, std::size_t pixelCount);

// Everything the matching of one picture needs, prepared before the image is touched, so that
// writing the pixels afterwards cannot fail and can go straight into the image's own buffer.
class PictureMatching {
public:
    PictureMatching(const DecodedPicture& picture, const Palette16& palette);
    PictureMatching(const PictureMatching&) = delete;
    PictureMatching& operator=(const PictureMatching&) = delete;

    // Writes one index per pixel, row-major, top row first, and counts the approximations.
    MatchCounts WriteIndices(std::uint8_t* out) const;

private:
    const DecodedPicture& m_picture;
    std::optional<PrefixMatcher> m_prefix;  // true-colour pictures
    std::array<std::uint8_t, 256> m_indexOfEntry{};
    std::array<std::uint64_t, 256> m_countsOfEntry{};
    bool m_anyApproximated = false;  // some entry differs from the colour of its index
};

// Matches a 24-bit picture row by row while the decoder still has the row at hand, rather than
// keeping four bytes per pixel for a second pass. The decoder calls Begin only once the picture
// can no longer fail, so sizing the image there keeps a failed load from touching it.
class TrueColourRows final : public ColourRowSink {
public:
    // `fileColours`, when given, receives every row as the file has it.
    TrueColourRows(CIndexedImage& image, const Palette16& palette,
                   std::vector<Colour>* fileColours = nullptr)
        : m_image(image), m_palette(palette), m_fileColours(fileColours) {}

    bool Begin(int width, int height) override;
    void TakeRow(int y, const Colour* colours) override;

    bool begun() const { return m_matcher.has_value(); }
    const MatchCounts& counts() const { return m_counts; }

private:
    CIndexedImage& m_image;
    const Palette16& m_palette;
    std::optional<PrefixMatcher> m_matcher;
    std::size_t m_width = 0;
    MatchCounts m_counts;
    std::vector<Colour>* m_fileColours;
};

}  // namespace orvandel
