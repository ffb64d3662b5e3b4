#include "core/image/color_octree.h"

namespace orvandel {
namespace {

constexpr int kLeafLevel = 7;

// Bit (7 - level) of blue, green and red, in that order from the high bit of the slot.
int SlotOf(Colour colour, int level) {
    const int shift = 7 - level;
    const int red = (RedOf(colour) >> shift) & 1;
    const int green = (GreenOf(colour) >> shift) & 1;
    const int blue = (BlueOf(colour) >> shift) & 1;
    return blue * 4 + green * 2 + red;
}

}  // namespace

// Nodes above the leaf level use `children`; leaf nodes use `indices`, where 0 means empty.
struct CColorOctree::Node {
    std::array<std::unique_ptr<Node>, 8> children;
    std::array<std::uint8_t, 8> indices{};
};

CColorOctree::CColorOctree() : m_root(std::make_unique<Node>()) {}
CColorOctree::~CColorOctree() = default;
CColorOctree::CColorOctree(CColorOctree&&) noexcept = default;

void CColorOctree::Insert(Colour colour, std::uint8_t index) {
    if (!m_root) {
        m_root = std::make_unique<Node>();
    }
    Node* node = m_root.get();
    for (int level = 0; level < kLeafLevel; ++level) {
        auto& child = node->children[static_cast<std::size_t>(SlotOf(colour, level))];
        if (!child) {
            child = std::make_unique<Node>();
        }
        node = child.get();
    }
    node->indices[static_cast<std::size_t>(SlotOf(colour, kLeafLevel))] = index;
}

std::uint8_t CColorOctree::Lookup(Colour colour) const {
    const Node* node = m_root.get();
    if (node == nullptr) {
        return 0;
    }
    for (int level = 0; level <= kLeafLevel; ++level) {
        const int slot = SlotOf(colour, level);
        // Prefer the exact slot, then the ones differing in red, green, both, blue, ...; the
        // first branch taken is final.
        const Node* next = nullptr;
        for (int flip = 0; flip < 8; ++flip) {
            const auto candidate = static_cast<std::size_t>(slot ^ flip);
            if (level == kLeafLevel) {
                if (node->indices[candidate] != 0) {
                    return node->indices[candidate];
                }
            } else if (node->children[candidate]) {
                next = node->children[candidate].get();
                break;
            }
        }
        if (next == nullptr) {
            return 0;
        }
        node = next;
    }
    return 0;
}

CColorOctree CColorOctree::FromPalette(const Palette16& palette) {
    CColorOctree tree;
    for (int i = 0; i < Palette16::kSize; ++i) {
        tree.Insert(palette[i], static_cast<std::uint8_t>(i));
    }
    return tree;
}

}  // namespace orvandel
