#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/common/status.h"
#include "core/image/palette_dib.h"
#include "core/report/rgb_canvas.h"

namespace orvandel::cli {

// Picture formats beyond BMP come from Qt's image library when the tool is built with it;
// without it there is no PNG writer and no further decoder.
void RegisterOptionalPictureDecoders();
bool CanWritePng();
// PNG file bytes of the picture; nothing without a PNG writer or without pixels.
std::optional<std::vector<std::uint8_t>> EncodeViewPng(const CPaletteDib& picture);
Status WriteSheetPng(const RgbCanvas& sheet, const std::filesystem::path& fileName);

}  // namespace orvandel::cli
