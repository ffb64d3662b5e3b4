#include "core/image/indexed_image.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "core/image/color_octree.h"
#include "core/image/palette_dib.h"
#include "core/image/picture_decoder.h"

namespace orvandel {
namespace {

constexpr std::uint8_t kTransparentIndex = 10;

struct Match {
    std::uint8_t index = 0;
    bool exact = false;  // the colour is one of the palette's colours
};

struct MatchCounts {
    std::uint32_t approximated = 0;  // pixels whose colour is not exactly a palette colour
    std::uint32_t transparent = 0;   // pixels that became index 10
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
    explicit PrefixMatcher(const Palette16& palette) : m_palette(palette) {
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

    // Matches `count` colours into `out`; the hot loop of every true-colour load.
    MatchCounts MatchRun(const Colour* colours, std::size_t count, std::uint8_t* out) const {
        MatchCounts counts;
        std::uint32_t exact = 0;
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
                            to[j] = Settle(to[j], in[j], exact);
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
        return counts;
    }

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

    static std::size_t SlotAt(Colour colour, int level) {
        const int shift = 7 - level;
        return static_cast<std::size_t>(((BlueOf(colour) >> shift) & 1) * 4 +
                                        ((GreenOf(colour) >> shift) & 1) * 2 +
                                        ((RedOf(colour) >> shift) & 1));
    }

    // Red in the low five bits, then green, then blue.
    static std::uint32_t KeyOf(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
        return red | (green << 5) | (blue << 10);
    }
    static std::uint32_t KeyOf(Colour colour) {
        return ((colour >> 3) & 0x1Fu) | ((colour >> 6) & 0x3E0u) | ((colour >> 9) & 0x7C00u);
    }
    // The top four bits of red, then of green, then of blue.
    static std::uint32_t CoarseKeyOf(Colour colour) {
        return ((colour >> 4) & 0xFu) | ((colour >> 8) & 0xF0u) | ((colour >> 12) & 0xF00u);
    }
    // The three low bits of red, then of green, then of blue.
    static std::size_t LowKeyOf(Colour colour) {
        return (colour & 0x7u) | ((colour >> 5) & 0x38u) | ((colour >> 10) & 0x1C0u);
    }

    // The index of a flagged or open entry, counting the pixel if its colour is a palette
    // colour. The walk for such a colour follows its own path down to its leaf slot, which
    // holds the highest entry of that colour; only a colour that entry 0 alone has finds the
    // slot empty and ends elsewhere.
    std::uint8_t Settle(std::uint8_t entry, Colour colour, std::uint32_t& exact) const {
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
        exact += colour == m_palette[index] || colour == m_palette[0] ? 1u : 0u;
        return index;
    }

    // Walks level by level with the set of palette entries under the current node, the way
    // the octree lookup chooses among existing children.
    void Fill(int level, std::uint16_t members, std::uint32_t red, std::uint32_t green,
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
    std::uint16_t Descend(int level, std::uint16_t members, std::size_t slot) const {
        std::uint16_t next = 0;
        for (std::size_t flip = 0; flip < 8 && next == 0; ++flip) {
            next = members & m_membersBySlot[static_cast<std::size_t>(level)][slot ^ flip];
        }
        return next;
    }

    // The number of the low-bits table of the level-5 node holding `members`, made on first
    // use. Prefixes that lead to the same node share it.
    std::size_t LowTable(std::uint16_t members) {
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

    static std::size_t LowSlotAt(std::size_t low, int level) {
        const int shift = kLevels - 1 - level;
        return ((low >> (6 + shift)) & 1) * 4 + ((low >> (3 + shift)) & 1) * 2 +
               ((low >> shift) & 1);
    }

    // A leaf slot holds the highest entry written to it, and 0 reads as empty.
    std::uint8_t LeafResult(std::uint16_t members, std::size_t slot) const {
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
    void FillCoarse() {
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
            m_coarse[key] =
                first == kOpen ? kOpen
                               : static_cast<std::uint8_t>((first & 0x0F) | (flags & kPaletteHere));
        }
    }

    // Every prefix that starts with the given bits of each channel gets `entry`.
    void FillBelow(int level, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                   std::uint8_t entry) {
        const int free = kPrefixLevels - level;
        const std::uint32_t count = 1u << free;
        for (std::uint32_t b = 0; b < count; ++b) {
            for (std::uint32_t g = 0; g < count; ++g) {
                const std::uint32_t first =
                    KeyOf(red << free, (green << free) | g, (blue << free) | b);
                std::fill_n(m_table.begin() + static_cast<std::ptrdiff_t>(first), count, entry);
            }
        }
    }

    // When every entry left has the same colour, the walk below is a single path ending in
    // the slot that the highest of them was written to last (an index 0 there reads as empty,
    // and the lookup then gives 0 all the same).
    std::optional<std::uint8_t> ForcedResult(std::uint16_t members) const {
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

    const Palette16& m_palette;
    std::array<std::array<std::uint16_t, 8>, static_cast<std::size_t>(kLevels)> m_membersBySlot{};
    std::array<std::uint8_t, std::size_t{1} << (3 * kPrefixLevels)> m_table{};
    std::array<std::uint8_t, std::size_t{1} << (3 * (kPrefixLevels - 1))> m_coarse{};
    // Each open node holds at least two different colours, so there are at most eight.
    std::array<std::uint16_t, Palette16::kSize / 2> m_lowMembers{};
    std::size_t m_lowCount = 0;
    std::array<std::uint8_t, Palette16::kSize / 2 * kLowSize> m_low{};
};

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

// Everything the matching of one picture needs, prepared before the image is touched, so that
// writing the pixels afterwards cannot fail and can go straight into the image's own buffer.
class PictureMatching {
public:
    PictureMatching(const DecodedPicture& picture, const Palette16& palette) : m_picture(picture) {
        if (!picture.IsIndexed()) {
            m_prefix.emplace(palette);
            return;
        }
        // An indexed picture has at most 256 colours: match each once, and carry each entry's
        // contribution to both counts in one word so the pixel loop is two loads and a store.
        const PaletteMatcher matcher(palette);
        for (std::size_t entry = 0; entry < picture.colourTable.size(); ++entry) {
            const Match match = matcher(picture.colourTable[entry]);
            m_indexOfEntry[entry] = match.index;
            m_countsOfEntry[entry] =
                (match.exact ? 0u : 1u) | (std::uint64_t{match.index == kTransparentIndex} << 32);
        }
    }
    PictureMatching(const PictureMatching&) = delete;
    PictureMatching& operator=(const PictureMatching&) = delete;

    // Writes one index per pixel, row-major, top row first.
    MatchCounts WriteIndices(std::uint8_t* out) const {
        if (m_prefix) {
            return m_prefix->MatchRun(m_picture.pixels.data(), m_picture.pixels.size(), out);
        }
        const std::size_t count = m_picture.indices.size();
        const std::uint8_t* in = m_picture.indices.data();
        std::uint64_t counts = 0;
        for (std::size_t at = 0; at < count; ++at) {
            out[at] = m_indexOfEntry[in[at]];
            counts += m_countsOfEntry[in[at]];
        }
        return MatchCounts{static_cast<std::uint32_t>(counts & 0xFFFFFFFFu),
                           static_cast<std::uint32_t>(counts >> 32)};
    }

private:
    const DecodedPicture& m_picture;
    std::optional<PrefixMatcher> m_prefix;  // true-colour pictures
    std::array<std::uint8_t, 256> m_indexOfEntry{};
    std::array<std::uint64_t, 256> m_countsOfEntry{};
};

// Matches a 24-bit picture row by row while the decoder still has the row at hand, rather than
// keeping four bytes per pixel for a second pass. The decoder calls Begin only once the picture
// can no longer fail, so sizing the image there keeps a failed load from touching it.
class TrueColourRows final : public ColourRowSink {
public:
    TrueColourRows(CIndexedImage& image, const Palette16& palette)
        : m_image(image), m_palette(palette) {}

    bool Begin(int width, int height) override {
        if (width <= 0 || height <= 0 || width > kMaxPictureWidth || height > kMaxPictureHeight ||
            !m_image.Init(width, height)) {
            return false;
        }
        m_width = static_cast<std::size_t>(width);
        // Made here, not up front: indexed pictures never need its tables.
        m_matcher.emplace(m_palette);
        return true;
    }

    void TakeRow(int y, const Colour* colours) override {
        const MatchCounts row = m_matcher->MatchRun(
            colours, m_width, m_image.pixels() + static_cast<std::size_t>(y) * m_width);
        m_counts.approximated += row.approximated;
        m_counts.transparent += row.transparent;
    }

    bool begun() const { return m_matcher.has_value(); }
    const MatchCounts& counts() const { return m_counts; }

private:
    CIndexedImage& m_image;
    const Palette16& m_palette;
    std::optional<PrefixMatcher> m_matcher;
    std::size_t m_width = 0;
    MatchCounts m_counts;
};

}  // namespace

std::uint8_t MatchColour(const Palette16& palette, Colour colour) {
    return CColorOctree::FromPalette(palette).Lookup(colour);
}

bool CIndexedImage::Init(std::int32_t width, std::int32_t height) {
    // Negative sizes and products beyond the buffer's reach are refused along with empty ones.
    if (width <= 0 || height <= 0) {
        return false;
    }
    const auto product = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (product > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    if (!m_pixels.Resize(static_cast<std::uint32_t>(product))) {
        return false;
    }
    m_width = width;
    m_height = height;
    return true;
}

void CIndexedImage::SetIndex(std::size_t position, std::uint8_t value) {
    if (m_pixels.data() != nullptr && position < m_pixels.size()) {
        m_pixels.data()[position] = value;
    }
}

void CIndexedImage::SetIndex(int position, int value) {
    if (position >= 0) {
        SetIndex(static_cast<std::size_t>(position), static_cast<std::uint8_t>(value & 0xFF));
    }
}

void CIndexedImage::SetIndex(unsigned position, unsigned value) {
    SetIndex(static_cast<std::size_t>(position), static_cast<std::uint8_t>(value & 0xFFu));
}

std::uint8_t CIndexedImage::GetIndex(int x, int y) const {
    if (m_pixels.data() == nullptr || x < 0 || y < 0) {
        return 0;
    }
    const std::size_t position = static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                                 static_cast<std::size_t>(x);
    return position < m_pixels.size() ? m_pixels.data()[position] : 0;
}

Status CIndexedImage::LoadFromFile(const std::filesystem::path& fileName) {
    TrueColourRows rows(*this, m_palette);
    DecodeResult decoded = DecodePictureFile(fileName, &rows);
    if (!decoded.picture) {
        m_loadInfo = PictureLoadInfo{};
        return Status::Fail(std::move(decoded.reason));
    }
    if (!rows.begun()) {
        return LoadFromPicture(*decoded.picture);
    }
    const DecodedPicture& picture = *decoded.picture;
    m_loadInfo = PictureLoadInfo{picture.bitsPerPixel, picture.width, picture.height,
                                 rows.counts().approximated, rows.counts().transparent};
    return Status::Ok();
}

Status CIndexedImage::LoadFromPicture(const DecodedPicture& picture) {
    m_loadInfo = PictureLoadInfo{picture.bitsPerPixel, picture.width, picture.height, 0, 0};
    if (static_cast<std::uint32_t>(picture.width) > kMaxPictureWidth) {
        return Status::Fail("too wide: " + std::to_string(picture.width) + " > " +
                            std::to_string(kMaxPictureWidth));
    }
    if (static_cast<std::uint32_t>(picture.height) > kMaxPictureHeight) {
        return Status::Fail("too tall: " + std::to_string(picture.height) + " > " +
                            std::to_string(kMaxPictureHeight));
    }
    const int depth = picture.bitsPerPixel;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24) {
        return Status::Fail("unsupported depth " + std::to_string(depth));
    }
    if (picture.width == 0 || picture.height == 0) {
        return Status::Fail("empty picture");
    }
    const auto pixelCount =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (!IsConsistent(picture, pixelCount)) {
        return Status::Fail("malformed picture");
    }
    // Everything that can fail comes before Init, so that a failure leaves the image as it was.
    std::optional<PictureMatching> matching;
    try {
        matching.emplace(picture, m_palette);
    } catch (const std::bad_alloc&) {
        return Status::Fail("out of memory");
    }
    if (!Init(picture.width, picture.height)) {
        return Status::Fail("out of memory");
    }
    const MatchCounts counts = matching->WriteIndices(m_pixels.data());
    m_loadInfo.approximatedPixels = counts.approximated;
    m_loadInfo.transparentPixels = counts.transparent;
    return Status::Ok();
}

void CIndexedImage::Clear() {
    m_pixels.Resize(0);
    m_width = 0;
    m_height = 0;
}

std::unique_ptr<CPaletteDib> CIndexedImage::CreateDib4() const {
    ColourTable256 table = BuildColourTable(m_palette);
    auto dib = std::make_unique<CPaletteDib>();
    if (!dib->Create(m_width, m_height, 4, std::span<const RgbQuad>(table.data(), 16), 16)) {
        return nullptr;
    }
    BitmapInfo info;
    dib->GetBitmapInfo(info);
    const auto stride = static_cast<std::size_t>(info.widthBytes);
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* row = info.bits + static_cast<std::size_t>(m_height - 1 - y) * stride;
        for (int x = 0; x < m_width; ++x) {
            const auto value = static_cast<std::uint8_t>(GetIndex(x, y) & 0x0F);
            std::uint8_t& byte = row[static_cast<std::size_t>(x) / 2];
            if (x % 2 == 0) {
                byte = static_cast<std::uint8_t>((byte & 0x0F) | (value << 4));
            } else {
                byte = static_cast<std::uint8_t>((byte & 0xF0) | value);
            }
        }
    }
    return dib;
}

}  // namespace orvandel
