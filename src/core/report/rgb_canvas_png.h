#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/common/status.h"
#include "core/report/rgb_canvas.h"

namespace orvandel {

// The composed picture as RGB PNG file bytes; nothing for an empty canvas.
std::optional<std::vector<std::uint8_t>> EncodeRgbCanvasPng(const RgbCanvas& canvas);

// Writes the composed picture as an RGB PNG; the file is replaced only by a complete new one.
Status WriteRgbCanvasPng(const RgbCanvas& canvas, const std::filesystem::path& fileName);

}  // namespace orvandel
