#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/common/status.h"
#include "core/image/colour_table.h"

namespace orvandel {

class FileOps;
struct WriteResult;

// The platform-neutral description of a bitmap.
struct BitmapInfo {
    std::int32_t type = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t widthBytes = 0;  // bytes per row, a multiple of 4
    std::int32_t planes = 1;
    std::int32_t bitsPerPixel = 0;
    std::uint8_t* bits = nullptr;
};

// An in-memory device-independent bitmap: bottom-up rows, stride a multiple of 4 bytes, and a
// colour table fixed at creation. The viewport is one of these (224 x 136 x 8, 256 entries).
class CPaletteDib {
public:
    CPaletteDib() = default;
    CPaletteDib(const CPaletteDib&) = delete;
    CPaletteDib& operator=(const CPaletteDib&) = delete;
    virtual ~CPaletteDib() = default;

    // bitsPerPixel 1, 4, 8 or 24. The entries come from `table`, or from the depth's default
    // table when it is empty (1 and 4 bits only). A `count` that is not 0 and not above the
    // depth's full size sets the number of entries; fewer than the full size fail, so an 8-bit
    // bitmap needs a full 256-entry table. Only on an object without a bitmap.
    bool Create(int width, int height, int bitsPerPixel, std::span<const RgbQuad> table, int count);

    // Replaces the colour table's entries, keeping the pixels. False, and nothing changed, when
    // there is no bitmap or `table` has not exactly as many entries as the bitmap's table.
    bool SetColourTable(std::span<const RgbQuad> table);

    bool HasBitmap() const { return !m_pixels.empty(); }
    std::uint8_t* GetBits() { return m_pixels.data(); }
    const std::uint8_t* GetBits() const { return m_pixels.data(); }
    bool GetBitmapInfo(BitmapInfo& info) const;
    int GetBitsPerPixel() const;
    std::span<const RgbQuad> colourTable() const { return m_table; }

    // The whole BMP file as bytes: file header, 40-byte info header, colour table, rows.
    std::vector<std::uint8_t> EncodeBmp() const;
    // Writes the BMP file to a name the user chose (WriteNamedFile): an existing file is
    // replaced only by a complete new one, a device or pipe is written as a stream.
    // On failure the reason says why ("permission denied", ...).
    Status WriteBmpFile(const std::filesystem::path& fileName) const;
    Status WriteBmpFile(const std::filesystem::path& fileName, FileOps& ops) const;
    // The same, but a file that already holds exactly these bytes is left untouched.
    WriteResult WriteBmpFileIfChanged(const std::filesystem::path& fileName, FileOps& ops) const;

private:
    BitmapInfo m_info;
    std::vector<RgbQuad> m_table;
    std::vector<std::uint8_t> m_pixels;
};

}  // namespace orvandel
