#pragma once

#include <filesystem>
#include <optional>

#include "core/common/status.h"
#include "core/image/palette_dib.h"

namespace orvandel::cli {

enum class ViewPictureFormat { kBmp, kPng };

// The format a file name asks for by its ending (".bmp" or ".png", any letter case).
std::optional<ViewPictureFormat> ViewPictureFormatFor(const std::filesystem::path& fileName);

// Writes the rendered viewport: BMP in the export's own 8-bit layout, or PNG of the same
// picture. An existing file is replaced only by a complete new one.
Status WriteViewPicture(const CPaletteDib& viewport, const std::filesystem::path& fileName,
                        ViewPictureFormat format);

}  // namespace orvandel::cli
