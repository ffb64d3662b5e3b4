#pragma once

#include <filesystem>

#include <QImage>

#include "core/common/status.h"
#include "core/image/palette_dib.h"

namespace orvandel {

// The bitmap as an indexed QImage (top row first) with the bitmap's own colour table. 1-, 4- and
// 8-bit bitmaps become Format_Indexed8; a bitmap without pixels gives a null image.
QImage PaletteDibToImage(const CPaletteDib& dib);

// Writes the bitmap as an indexed PNG. The file is replaced only by a complete new one.
Status WritePaletteDibPng(const CPaletteDib& dib, const std::filesystem::path& fileName);

}  // namespace orvandel
