#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "core/common/status.h"
#include "core/image/palette_dib.h"

namespace orvandel {

// The bitmap as PNG file bytes: a palette PNG of the bitmap's own depth and colour table for 1-,
// 4- and 8-bit bitmaps, 8-bit RGB for 24-bit ones. The bytes depend on the pixels alone (no
// time stamp), so every platform and every run writes the same file. Nothing for a bitmap
// without pixels, or when the memory for the file could not be had.
std::optional<std::vector<std::uint8_t>> EncodePaletteDibPng(const CPaletteDib& dib);

// Writes the bitmap as PNG. The file is replaced only by a complete new one.
Status WritePaletteDibPng(const CPaletteDib& dib, const std::filesystem::path& fileName);

// PNG file bytes of an RGB picture: `rgb` holds `height` rows of `width` pixels, three bytes
// (red, green, blue) each, top row first. Nothing when the sizes do not fit the bytes.
std::optional<std::vector<std::uint8_t>> EncodeRgbPng(int width, int height,
                                                      std::span<const std::uint8_t> rgb);

// Writes PNG file bytes made by the encoders above to a name the user chose (WriteNamedFile): a
// file is replaced only by a complete one.
Status WritePngFile(std::span<const std::uint8_t> png, const std::filesystem::path& fileName);

}  // namespace orvandel
