#include "cli/optional_formats.h"
#include "qtimage/palette_dib_image.h"
#include "qtimage/qt_picture_decoder.h"
#include "qtimage/rgb_canvas_png.h"

namespace orvandel::cli {

void RegisterOptionalPictureDecoders() {
    RegisterQtPictureDecoders();
}

bool CanWritePng() {
    return true;
}

std::optional<std::vector<std::uint8_t>> EncodeViewPng(const CPaletteDib& picture) {
    return EncodePaletteDibPng(picture);
}

Status WriteSheetPng(const RgbCanvas& sheet, const std::filesystem::path& fileName) {
    return WriteRgbCanvasPng(sheet, fileName);
}

}  // namespace orvandel::cli
