#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "core/image/palette16.h"

namespace orvandel {

// Nearest-branch colour matching: eight levels, each sorting by one bit of red, green and blue
// from the most significant down. Lookup is greedy and never backtracks; a stored index 0
// counts as empty, so palette entry 0 is only ever found by falling through to the default.
class CColorOctree {
public:
    CColorOctree();
    ~CColorOctree();
    CColorOctree(const CColorOctree&) = delete;
    CColorOctree& operator=(const CColorOctree&) = delete;

    void Insert(Colour colour, std::uint8_t index);
    std::uint8_t Lookup(Colour colour) const;

    // An octree holding palette colours 0 to 15 in ascending order.
    static CColorOctree FromPalette(const Palette16& palette);
    CColorOctree(CColorOctree&&) noexcept;

private:
    struct Node;
    std::unique_ptr<Node> m_root;
};

}  // namespace orvandel
