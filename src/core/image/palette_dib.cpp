#include "core/image/palette_dib.h"

#include <array>
#include <limits>

namespace orvandel {
namespace {

constexpr RgbQuad Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return RgbQuad{blue, green, red, 0};
}

constexpr std::array<RgbQuad, 2> kDefaultTable1{Rgb(0, 0, 0), Rgb(255, 255, 255)};

constexpr std::array<RgbQuad, 16> kDefaultTable4{
    Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),
    Rgb(0, 0, 128),     Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
    Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255),
};

// The full colour table size of a depth, or -1 for a depth this bitmap does not support.
int FullTableSize(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        case 24:
            return 0;
        default:
            return -1;
    }
}

std::span<const RgbQuad> DefaultTable(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return kDefaultTable1;
        case 4:
            return kDefaultTable4;
        default:
            return {};
    }
}

}  // namespace

bool CPaletteDib::Create(int width, int height, int bitsPerPixel, std::span<const RgbQuad> table,
                         int count) {
    if (HasBitmap() || width <= 0 || height <= 0) {
        return false;
    }
    const int fullSize = FullTableSize(bitsPerPixel);
    if (fullSize < 0) {
        return false;
    }
    int entries = fullSize;
    if (count != 0 && count <= fullSize) {
        entries = count;
    }
    const std::span<const RgbQuad> source = table.empty() ? DefaultTable(bitsPerPixel) : table;
    // A palette bitmap always carries its depth's whole table; a shorter one cannot be used.
    if (entries < fullSize || source.size() < static_cast<std::size_t>(entries)) {
        return false;
    }

    const auto rowBits =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel);
    const std::uint64_t stride = (rowBits + 31) / 32 * 4;
    const std::uint64_t imageSize = stride * static_cast<std::uint64_t>(height);
    if (imageSize > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return false;
    }

    m_table.assign(source.begin(), source.begin() + entries);
    m_pixels.assign(static_cast<std::size_t>(imageSize), 0);
    m_info = BitmapInfo{0, width,        height,         static_cast<std::int32_t>(stride),
                        1, bitsPerPixel, m_pixels.data()};
    return true;
}

bool CPaletteDib::GetBitmapInfo(BitmapInfo& info) const {
    if (!HasBitmap()) {
        return false;
    }
    info = m_info;
    return true;
}

int CPaletteDib::GetBitsPerPixel() const {
    return HasBitmap() ? m_info.bitsPerPixel : 0;
}

}  // namespace orvandel
