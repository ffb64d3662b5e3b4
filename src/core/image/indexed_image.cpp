#include "core/image/indexed_image.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
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

// Remembers the match of recently seen colours. Wall pictures hold few distinct colours, so
// a direct-mapped table of them spares almost every octree walk.
class MatchCache {
public:
    explicit MatchCache(const PaletteMatcher& matcher) : m_matcher(matcher), m_slots(kSlots) {}

    Match operator()(Colour colour) {
        colour &= 0xFFFFFF;
        Slot& slot = m_slots[(colour * 2654435761u) >> (32 - kSlotBits)];
        if (slot.key != (colour | kValid)) {
            slot.key = colour | kValid;
            slot.match = m_matcher(colour);
        }
        return slot.match;
    }

private:
    static constexpr unsigned kSlotBits = 12;
    static constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;
    static constexpr std::uint32_t kValid = 0x01000000;  // colours never use the top byte

    struct Slot {
        std::uint32_t key = 0;
        Match match;
    };

    const PaletteMatcher& m_matcher;
    std::vector<Slot> m_slots;
};

struct MatchedPixels {
    std::vector<std::uint8_t> indices;
    std::uint32_t approximated = 0;
    std::uint32_t transparent = 0;

    void Add(std::size_t at, Match match) {
        indices[at] = match.index;
        approximated += match.exact ? 0u : 1u;
        transparent += match.index == kTransparentIndex ? 1u : 0u;
    }
};

bool IsConsistent(const DecodedPicture& picture, std::size_t pixelCount) {
    if (picture.IsIndexed()) {
        return picture.indices.size() == pixelCount &&
               std::all_of(picture.indices.begin(), picture.indices.end(),
                           [&](std::uint8_t i) { return i < picture.colourTable.size(); });
    }
    return picture.pixels.size() == pixelCount;
}

MatchedPixels MatchPicture(const DecodedPicture& picture, const Palette16& palette) {
    const PaletteMatcher matcher(palette);
    MatchedPixels result;
    if (picture.IsIndexed()) {
        // An indexed picture has at most 256 colours: match each once.
        std::vector<Match> byEntry;
        byEntry.reserve(picture.colourTable.size());
        for (const Colour colour : picture.colourTable) {
            byEntry.push_back(matcher(colour));
        }
        result.indices.resize(picture.indices.size());
        for (std::size_t at = 0; at < picture.indices.size(); ++at) {
            result.Add(at, byEntry[picture.indices[at]]);
        }
        return result;
    }
    MatchCache cache(matcher);
    result.indices.resize(picture.pixels.size());
    for (std::size_t at = 0; at < picture.pixels.size(); ++at) {
        result.Add(at, cache(picture.pixels[at]));
    }
    return result;
}

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
    DecodeResult decoded = DecodePictureFile(fileName);
    if (!decoded.picture) {
        m_loadInfo = PictureLoadInfo{};
        return Status::Fail(std::move(decoded.reason));
    }
    return LoadFromPicture(*decoded.picture);
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
    // Match first, so that a failure leaves the image as it was.
    MatchedPixels matched;
    try {
        matched = MatchPicture(picture, m_palette);
    } catch (const std::bad_alloc&) {
        return Status::Fail("out of memory");
    }
    if (!Init(picture.width, picture.height)) {
        return Status::Fail("out of memory");
    }
    std::memcpy(m_pixels.data(), matched.indices.data(), pixelCount);
    m_loadInfo.approximatedPixels = matched.approximated;
    m_loadInfo.transparentPixels = matched.transparent;
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
