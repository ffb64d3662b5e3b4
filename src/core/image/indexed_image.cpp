#include "core/image/indexed_image.h"

#include <limits>

#include "core/image/palette_dib.h"

namespace orvandel {

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
