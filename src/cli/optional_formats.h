#pragma once

#include <filesystem>

#include "core/common/status.h"
#include "core/image/palette_dib.h"
#include "core/report/rgb_canvas.h"

namespace orvandel::cli {

// Picture formats beyond BMP come from Qt's image library when the tool is built with it;
// without it these report that PNG cannot be written and add no decoders.
void RegisterOptionalPictureDecoders();
Status WriteViewPng(const CPaletteDib& viewport, const std::filesystem::path& fileName);
Status WriteSheetPng(const RgbCanvas& sheet, const std::filesystem::path& fileName);

}  // namespace orvandel::cli
