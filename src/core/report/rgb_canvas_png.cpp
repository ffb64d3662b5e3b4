#include "core/report/rgb_canvas_png.h"

#include "core/image/png_writer.h"

namespace orvandel {

std::optional<std::vector<std::uint8_t>> EncodeRgbCanvasPng(const RgbCanvas& canvas) {
    return EncodeRgbPng(canvas.width(), canvas.height(), canvas.bytes());
}

Status WriteRgbCanvasPng(const RgbCanvas& canvas, const std::filesystem::path& fileName) {
    const std::optional<std::vector<std::uint8_t>> png = EncodeRgbCanvasPng(canvas);
    if (!png) {
        return Status::Fail("the picture is empty");
    }
    return WritePngFile(*png, fileName);
}

}  // namespace orvandel
