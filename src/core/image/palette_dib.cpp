#include "core/image/palette_dib.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "core/common/message_texts.h"
#include "core/image/file_ops.h"

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

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Everything of a BMP file that comes before the pixel rows.
std::vector<std::uint8_t> EncodeBmpHeaders(const BitmapInfo& info, std::span<const RgbQuad> table,
                                           std::uint32_t imageSize) {
    const auto entries = static_cast<std::uint32_t>(table.size());
    const std::uint32_t rowsOffset = kFileHeaderSize + kInfoHeaderSize + 4 * entries;
    std::vector<std::uint8_t> out;
    out.reserve(rowsOffset);
    out.push_back('B');
    out.push_back('M');
    Put32(out, rowsOffset + imageSize);
    Put32(out, 0);  // two reserved 16-bit fields
    Put32(out, rowsOffset);

    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(info.width));
    Put32(out, static_cast<std::uint32_t>(info.height));  // positive: bottom row first
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(info.bitsPerPixel));
    Put32(out, 0);  // uncompressed
    Put32(out, imageSize);
    Put32(out, 0);  // resolutions
    Put32(out, 0);
    Put32(out, entries);  // colours used
    Put32(out, entries);  // colours important
    for (const RgbQuad& entry : table) {
        out.push_back(entry.blue);
        out.push_back(entry.green);
        out.push_back(entry.red);
        out.push_back(0);
    }
    return out;
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

bool CPaletteDib::SetColourTable(std::span<const RgbQuad> table) {
    if (!HasBitmap() || table.size() != m_table.size()) {
        return false;
    }
    std::copy(table.begin(), table.end(), m_table.begin());
    return true;
}

std::vector<std::uint8_t> CPaletteDib::EncodeBmp() const {
    if (!HasBitmap()) {
        return {};
    }
    const auto imageSize = static_cast<std::uint32_t>(m_pixels.size());
    std::vector<std::uint8_t> out = EncodeBmpHeaders(m_info, m_table, imageSize);
    out.insert(out.end(), m_pixels.begin(), m_pixels.end());
    return out;
}

Status CPaletteDib::WriteBmpFile(const std::filesystem::path& fileName) const {
    return WriteBmpFile(fileName, SystemFileOps());
}

Status CPaletteDib::WriteBmpFile(const std::filesystem::path& fileName, FileOps& ops) const {
    if (!HasBitmap()) {
        return Status::Fail(std::string(messages::kWriteFailed));
    }
    const auto imageSize = static_cast<std::uint32_t>(m_pixels.size());
    const std::vector<std::uint8_t> headers = EncodeBmpHeaders(m_info, m_table, imageSize);
    const std::array<std::span<const std::uint8_t>, 2> chunks{
        std::span<const std::uint8_t>(headers), std::span<const std::uint8_t>(m_pixels)};
    return WriteNamedFile(fileName, chunks, ops);
}

WriteResult CPaletteDib::WriteBmpFileIfChanged(const std::filesystem::path& fileName,
                                               FileOps& ops) const {
    if (!HasBitmap()) {
        return {Status::Fail(std::string(messages::kWriteFailed)), false};
    }
    const auto imageSize = static_cast<std::uint32_t>(m_pixels.size());
    const std::vector<std::uint8_t> headers = EncodeBmpHeaders(m_info, m_table, imageSize);
    const std::array<std::span<const std::uint8_t>, 2> chunks{
        std::span<const std::uint8_t>(headers), std::span<const std::uint8_t>(m_pixels)};
    return WriteFileIfChanged(fileName, chunks, ops);
}

}  // namespace orvandel
