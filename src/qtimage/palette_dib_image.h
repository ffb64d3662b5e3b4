#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include <QImage>

#include "core/common/status.h"
#include "core/image/palette_dib.h"

namespace orvandel {

// The bitmap as an indexed QImage (top row first) with the bitmap's own colour table. 1-, 4- and
// 8-bit bitmaps become Format_Indexed8; a bitmap without pixels gives a null image.
QImage PaletteDibToImage(const CPaletteDib& dib);

// The bitmap as PNG file bytes: indexed for palette bitmaps, true colour for 24-bit ones.
// Nothing for a bitmap without pixels.
std::optional<std::vector<std::uint8_t>> EncodePaletteDibPng(const CPaletteDib& dib);

// Writes the bitmap as PNG. The file is replaced only by a complete new one.
Status WritePaletteDibPng(const CPaletteDib& dib, const std::filesystem::path& fileName);

}  // namespace orvandel
