#include "core/image/match_tally.h"

#include <algorithm>
#include <tuple>

namespace orvandel {
namespace {

constexpr std::size_t kFirstCapacity = 64;

std::size_t SlotOf(std::uint32_t key, std::size_t mask) {
    return static_cast<std::size_t>((key * 0x9E3779B1u) >> 8) & mask;
}

// "#rrggbb" order: red is the most significant.
std::uint32_t HexOrder(Colour colour) {
    return (static_cast<std::uint32_t>(RedOf(colour)) << 16) |
           (static_cast<std::uint32_t>(GreenOf(colour)) << 8) | BlueOf(colour);
}

}  // namespace

void MatchTally::AddRun(const Colour* colours, const std::uint8_t* indices, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Colour colour = colours[i] & 0xFFFFFFu;
        const std::uint8_t index = indices[i] & 0x0F;
        if (colour != m_palette[index]) {
            Insert(colour | (static_cast<std::uint32_t>(index + 1) << 24), 1);
        }
    }
}

void MatchTally::AddColour(Colour colour, std::uint8_t index, std::uint64_t pixels) {
    colour &= 0xFFFFFFu;
    index &= 0x0F;
    if (pixels == 0 || colour == m_palette[index]) {
        return;
    }
    Insert(colour | (static_cast<std::uint32_t>(index + 1) << 24),
           static_cast<std::uint32_t>(pixels));
}

void MatchTally::Insert(std::uint32_t key, std::uint32_t pixels) {
    m_approximated += pixels;
    if ((key >> 24) == kTransparentIndex + 1u) {
        m_seeThrough += pixels;
    }
    if (key == m_lastKey && !m_keys.empty()) {
        m_counts[m_lastSlot] += pixels;
        return;
    }
    if (m_keys.empty() || (m_used + 1) * 2 > m_keys.size()) {
        Grow();
    }
    const std::size_t mask = m_keys.size() - 1;
    std::size_t slot = SlotOf(key, mask);
    while (m_keys[slot] != 0 && m_keys[slot] != key) {
        slot = (slot + 1) & mask;
    }
    if (m_keys[slot] == 0) {
        m_keys[slot] = key;
        ++m_used;
    }
    m_counts[slot] += pixels;
    m_lastKey = key;
    m_lastSlot = slot;
}

void MatchTally::Grow() {
    std::vector<std::uint32_t> keys(std::max(kFirstCapacity, m_keys.size() * 2), 0);
    std::vector<std::uint32_t> counts(keys.size(), 0);
    const std::size_t mask = keys.size() - 1;
    for (std::size_t old = 0; old < m_keys.size(); ++old) {
        if (m_keys[old] == 0) {
            continue;
        }
        std::size_t slot = SlotOf(m_keys[old], mask);
        while (keys[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        keys[slot] = m_keys[old];
        counts[slot] = m_counts[old];
    }
    m_keys = std::move(keys);
    m_counts = std::move(counts);
    m_lastKey = 0;
}

std::vector<ApproximatedColour> MatchTally::Colours() const {
    std::vector<ApproximatedColour> colours;
    colours.reserve(m_used);
    for (std::size_t slot = 0; slot < m_keys.size(); ++slot) {
        if (m_keys[slot] != 0) {
            colours.push_back({m_keys[slot] & 0xFFFFFFu,
                               static_cast<std::uint8_t>((m_keys[slot] >> 24) - 1),
                               m_counts[slot]});
        }
    }
    std::sort(colours.begin(), colours.end(),
              [](const ApproximatedColour& a, const ApproximatedColour& b) {
                  return std::make_tuple(b.pixels, HexOrder(a.colour)) <
                         std::make_tuple(a.pixels, HexOrder(b.colour));
              });
    return colours;
}

}  // namespace orvandel
