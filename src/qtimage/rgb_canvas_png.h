#pragma once

#include <filesystem>

#include "core/common/status.h"
#include "core/report/rgb_canvas.h"

namespace orvandel {

// Writes a composed picture as an RGB PNG; the file is replaced only by a complete new one.
Status WriteRgbCanvasPng(const RgbCanvas& canvas, const std::filesystem::path& fileName);

}  // namespace orvandel
