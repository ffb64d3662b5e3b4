#include "core/image/palette_matching.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "core/image/color_octree.h"
#include "core/image/indexed_image.h"

namespace orvandel {
namespace {

struct Match {
    std::uint8_t index = 0;
    bool exact = false;  // the colour is one of the palette's colours
};

class PaletteMatcher {
public:
    explicit PaletteMatcher(const Palette16& palette)
        : m_palette(palette), m_tree(CColorOctree::FromPalette(palette)) {}

    Match operator()(Colour colour) const {
        colour &= 0xFFFFFF;
        const auto& colours = m_palette.colours();
        const bool exact = std::find(colours.begin(), colours.end(), colour) != colours.end();
        return Match{m_tree.Lookup(colour), exact};
    }

private:
    const Palette16& m_palette;
    CColorOctree m_tree;
};

}  // namespace

PrefixMatcher::PrefixMatcher(const Palette16& palette) : m_palette(palette) {
    for (int level = 0; level < kLevels; ++level) {
        for (int i = 0; i < Palette16::kSize; ++i) {
            m_membersBySlot[static_cast<std::size_t>(level)][SlotAt(palette[i], level)] |=
                static_cast<std::uint16_t>(1u << i);
        }
    }
    Fill(0, 0xFFFF, 0, 0, 0);
    for (const Colour colour : palette.colours()) {
        std::uint8_t& entry = m_table[KeyOf(colour)];
        if ((entry & kOpen) == 0) {
            entry |= kPaletteHere;
        }
    }
    FillCoarse();
}

MatchCounts PrefixMatcher::MatchRun(const Colour* colours, std::size_t count,
                                    std::uint8_t* out) const {
    MatchCounts counts;
    std::uint32_t exact = 0;
    std::uint32_t exactTen = 0;  // index 10's own colour: see-through on purpose
    for (std::size_t start = 0; start < count; start += kBlock) {
        const std::size_t n = std::min(kBlock, count - start);
        const Colour* const in = colours + start;
        std::uint8_t* const to = out + start;
        // Keys apart first, in a loop the compiler widens; then the lookups, with nothing
        // but a running OR to tell whether any pixel of the block needs more.
        std::array<std::uint32_t, kBlock> keys;
        for (std::size_t i = 0; i < n; ++i) {
            keys[i] = CoarseKeyOf(in[i]);
        }
        std::uint8_t seen = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t entry = m_coarse[keys[i]];
            to[i] = entry;
            seen |= entry;
        }
        if ((seen & (kOpen | kPaletteHere)) != 0) {
            // Eight entries at a time: in most blocks only one or two need settling.
            constexpr std::uint64_t kFlags = 0xC0C0C0C0C0C0C0C0u;
            for (std::size_t i = 0; i < n; i += 8) {
                const std::size_t end = std::min(n, i + 8);
                std::uint64_t word = kFlags;
                if (end - i == 8) {
                    std::memcpy(&word, to + i, 8);
                }
                if ((word & kFlags) == 0) {
                    continue;
                }
                for (std::size_t j = i; j < end; ++j) {
                    if (to[j] >= kPaletteHere) {
                        to[j] = Settle(to[j], in[j], exact, exactTen);
                    }
                }
            }
        }
        std::uint32_t transparent = 0;
        for (std::size_t i = 0; i < n; ++i) {
            transparent += to[i] == kTransparentIndex ? 1u : 0u;
        }
        counts.transparent += transparent;
    }
    counts.approximated = static_cast<std::uint32_t>(count) - exact;
    // Only settled pixels can be exact, so they alone can be see-through on purpose.
    counts.seeThrough = counts.transparent - exactTen;
    return counts;
}

std::size_t PrefixMatcher::SlotAt(Colour colour, int level) {
    const int shift = 7 - level;
    return static_cast<std::size_t>(((BlueOf(colour) >> shift) & 1) * 4 +
                                    ((GreenOf(colour) >> shift) & 1) * 2 +
                                    ((RedOf(colour) >> shift) & 1));
}

// Red in the low five bits, then green, then blue.
std::uint32_t PrefixMatcher::KeyOf(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red | (green << 5) | (blue << 10);
}
std::uint32_t PrefixMatcher::KeyOf(Colour colour) {
    return ((colour >> 3) & 0x1Fu) | ((colour >> 6) & 0x3E0u) | ((colour >> 9) & 0x7C00u);
}
// The top four bits of red, then of green, then of blue.
std::uint32_t PrefixMatcher::CoarseKeyOf(Colour colour) {
    return ((colour >> 4) & 0xFu) | ((colour >> 8) & 0xF0u) | ((colour >> 12) & 0xF00u);
}
// The three low bits of red, then of green, then of blue.
std::size_t PrefixMatcher::LowKeyOf(Colour colour) {
    return (colour & 0x7u) | ((colour >> 5) & 0x38u) | ((colour >> 10) & 0x1C0u);
}

// The index of a flagged or open entry, counting the pixel if its colour is a palette
// colour. The walk for such a colour follows its own path down to its leaf slot, which
// holds the highest entry of that colour; only a colour that entry 0 alone has finds the
// slot empty and ends elsewhere.
std::uint8_t PrefixMatcher::Settle(std::uint8_t entry, Colour colour, std::uint32_t& exact,
                                   std::uint32_t& exactTen) const {
    colour &= 0xFFFFFF;
    if ((entry & kOpen) != 0) {
        entry = m_table[KeyOf(colour)];
        if (entry < kPaletteHere) {
            return entry;  // no palette colour has this prefix: not exact
        }
    }
    const std::uint8_t index =
        (entry & kOpen) != 0
            ? m_low[static_cast<std::size_t>(entry & 0x0F) * kLowSize + LowKeyOf(colour)]
            : static_cast<std::uint8_t>(entry & 0x0F);
    const bool isExact = colour == m_palette[index];
    exact += isExact ? 1u : 0u;
    exactTen += isExact && index == kTransparentIndex ? 1u : 0u;
    return index;
}

// Walks level by level with the set of palette entries under the current node, the way
// the octree lookup chooses among existing children.
void PrefixMatcher::Fill(int level, std::uint16_t members, std::uint32_t red, std::uint32_t green,
                         std::uint32_t blue) {
    if (const std::optional<std::uint8_t> forced = ForcedResult(members)) {
        FillBelow(level, red, green, blue, *forced);
        return;
    }
    if (level == kPrefixLevels) {
        m_table[KeyOf(red, green, blue)] = static_cast<std::uint8_t>(kOpen | LowTable(members));
        return;
    }
    for (std::uint32_t slot = 0; slot < 8; ++slot) {
        Fill(level + 1, Descend(level, members, slot), (red << 1) | (slot & 1),
             (green << 1) | ((slot >> 1) & 1), (blue << 1) | (slot >> 2));
    }
}

// The entries of the child the lookup takes from a node holding `members`.
std::uint16_t PrefixMatcher::Descend(int level, std::uint16_t members, std::size_t slot) const {
    std::uint16_t next = 0;
    for (std::size_t flip = 0; flip < 8 && next == 0; ++flip) {
        next = members & m_membersBySlot[static_cast<std::size_t>(level)][slot ^ flip];
    }
    return next;
}

// The number of the low-bits table of the level-5 node holding `members`, made on first
// use. Prefixes that lead to the same node share it.
std::size_t PrefixMatcher::LowTable(std::uint16_t members) {
    for (std::size_t id = 0; id < m_lowCount; ++id) {
        if (m_lowMembers[id] == members) {
            return id;
        }
    }
    const std::size_t id = m_lowCount++;
    m_lowMembers[id] = members;
    for (std::size_t low = 0; low < kLowSize; ++low) {
        std::uint16_t node = members;
        for (int level = kPrefixLevels; level < kLevels - 1; ++level) {
            node = Descend(level, node, LowSlotAt(low, level));
        }
        m_low[id * kLowSize + low] = LeafResult(node, LowSlotAt(low, kLevels - 1));
    }
    return id;
}

std::size_t PrefixMatcher::LowSlotAt(std::size_t low, int level) {
    const int shift = kLevels - 1 - level;
    return ((low >> (6 + shift)) & 1) * 4 + ((low >> (3 + shift)) & 1) * 2 + ((low >> shift) & 1);
}

// A leaf slot holds the highest entry written to it, and 0 reads as empty.
std::uint8_t PrefixMatcher::LeafResult(std::uint16_t members, std::size_t slot) const {
    for (std::size_t flip = 0; flip < 8; ++flip) {
        const unsigned here = members & m_membersBySlot[kLevels - 1][slot ^ flip];
        if (here != 0) {
            const auto highest = static_cast<std::uint8_t>(std::bit_width(here) - 1);
            if (highest != 0) {
                return highest;
            }
        }
    }
    return 0;
}

// A coarse prefix is decided when the eight fine prefixes under it all are, alike.
void PrefixMatcher::FillCoarse() {
    for (std::uint32_t key = 0; key < m_coarse.size(); ++key) {
        const std::uint32_t red = (key & 0xFu) << 1;
        const std::uint32_t green = ((key >> 4) & 0xFu) << 1;
        const std::uint32_t blue = ((key >> 8) & 0xFu) << 1;
        std::uint8_t flags = 0;
        std::uint8_t first = m_table[KeyOf(red, green, blue)];
        for (std::uint32_t low = 0; low < 8; ++low) {
            const std::uint8_t entry =
                m_table[KeyOf(red | (low & 1), green | ((low >> 1) & 1), blue | (low >> 2))];
            flags |= entry;
            if ((entry & kOpen) != 0 || (entry & 0x0F) != (first & 0x0F)) {
                first = kOpen;
                break;
            }
        }
        m_coarse[key] = first == kOpen
                            ? kOpen
                            : static_cast<std::uint8_t>((first & 0x0F) | (flags & kPaletteHere));
    }
}

// Every prefix that starts with the given bits of each channel gets `entry`.
void PrefixMatcher::FillBelow(int level, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                              std::uint8_t entry) {
    const int free = kPrefixLevels - level;
    const std::uint32_t count = 1u << free;
    for (std::uint32_t b = 0; b < count; ++b) {
        for (std::uint32_t g = 0; g < count; ++g) {
            const std::uint32_t first = KeyOf(red << free, (green << free) | g, (blue << free) | b);
            std::fill_n(m_table.begin() + static_cast<std::ptrdiff_t>(first), count, entry);
        }
    }
}

// When every entry left has the same colour, the walk below is a single path ending in
// the slot that the highest of them was written to last (an index 0 there reads as empty,
// and the lookup then gives 0 all the same).
std::optional<std::uint8_t> PrefixMatcher::ForcedResult(std::uint16_t members) const {
    int highest = -1;
    for (int i = Palette16::kSize - 1; i >= 0; --i) {
        if (((static_cast<unsigned>(members) >> i) & 1u) != 0) {
            if (highest < 0) {
                highest = i;
            } else if (m_palette[i] != m_palette[highest]) {
                return std::nullopt;
            }
        }
    }
    return static_cast<std::uint8_t>(std::max(highest, 0));
}

bool IsConsistent(const DecodedPicture& picture, std::size_t pixelCount) {
    if (picture.IsIndexed()) {
        if (picture.indices.size() != pixelCount || picture.colourTable.empty()) {
            return false;
        }
        // A plain maximum, which the compiler turns into wide compares, rather than a search
        // that stops early: the whole picture is read either way when it is sound.
        std::uint8_t highest = 0;
        for (const std::uint8_t index : picture.indices) {
            highest = std::max(highest, index);
        }
        return highest < picture.colourTable.size();
    }
    return picture.pixels.size() == pixelCount;
}

PictureMatching::PictureMatching(const DecodedPicture& picture, const Palette16& palette)
    : m_picture(picture) {
    if (!picture.IsIndexed()) {
        m_prefix.emplace(palette);
        return;
    }
    // An indexed picture has at most 256 colours: match each once, and carry each entry's
    // contribution to both counts in one word so the pixel loop is two loads and a store.
    // Approximated means: not the colour of the index it became, even if another entry has it.
    const PaletteMatcher matcher(palette);
    for (std::size_t entry = 0; entry < picture.colourTable.size(); ++entry) {
        const Match match = matcher(picture.colourTable[entry]);
        m_indexOfEntry[entry] = match.index;
        const bool approximated = (picture.colourTable[entry] & 0xFFFFFFu) != palette[match.index];
        m_countsOfEntry[entry] =
            (approximated ? 1u : 0u) | (std::uint64_t{match.index == kTransparentIndex} << 32);
        m_anyApproximated |= approximated;
    }
}

MatchCounts PictureMatching::WriteIndices(std::uint8_t* out) const {
    if (m_prefix) {
        return m_prefix->MatchRun(m_picture.pixels.data(), m_picture.pixels.size(), out);
    }
    const std::size_t count = m_picture.indices.size();
    const std::uint8_t* in = m_picture.indices.data();
    std::uint64_t counts = 0;
    std::uint32_t seeThrough = 0;
    if (!m_anyApproximated) {
        for (std::size_t at = 0; at < count; ++at) {
            out[at] = m_indexOfEntry[in[at]];
            counts += m_countsOfEntry[in[at]];
        }
    } else {
        // Only a picture with approximated entries needs to know how often each is used.
        std::array<std::uint32_t, 256> used{};
        for (std::size_t at = 0; at < count; ++at) {
            out[at] = m_indexOfEntry[in[at]];
            counts += m_countsOfEntry[in[at]];
            ++used[in[at]];
        }
        for (std::size_t entry = 0; entry < m_picture.colourTable.size(); ++entry) {
            const bool approximated = (m_countsOfEntry[entry] & 1u) != 0;
            if (approximated && m_indexOfEntry[entry] == kTransparentIndex) {
                seeThrough += used[entry];
            }
        }
    }
    return MatchCounts{static_cast<std::uint32_t>(counts & 0xFFFFFFFFu),
                       static_cast<std::uint32_t>(counts >> 32), seeThrough};
}

bool TrueColourRows::Begin(int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxPictureWidth || height > kMaxPictureHeight) {
        return false;
    }
    m_width = static_cast<std::size_t>(width);
    if (m_fileColours != nullptr) {
        try {
            m_fileColours->assign(m_width * static_cast<std::size_t>(height), 0);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    if (!m_image.Init(width, height)) {
        return false;
    }
    // Made here, not up front: indexed pictures never need its tables.
    m_matcher.emplace(m_palette);
    return true;
}

void TrueColourRows::TakeRow(int y, const Colour* colours) {
    const std::size_t start = static_cast<std::size_t>(y) * m_width;
    std::uint8_t* const indices = m_image.pixels() + start;
    const MatchCounts row = m_matcher->MatchRun(colours, m_width, indices);
    if (m_fileColours != nullptr) {
        std::copy_n(colours, m_width, m_fileColours->begin() + static_cast<std::ptrdiff_t>(start));
    }
    m_counts.approximated += row.approximated;
    m_counts.transparent += row.transparent;
    m_counts.seeThrough += row.seeThrough;
}

}  // namespace orvandel
