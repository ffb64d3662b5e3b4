#include "cli/optional_formats.h"
#include "qtimage/palette_dib_image.h"
#include "qtimage/qt_picture_decoder.h"
#include "qtimage/rgb_canvas_png.h"

namespace orvandel::cli {

void RegisterOptionalPictureDecoders() {
    RegisterQtPictureDecoders();
}

Status WriteViewPng(const CPaletteDib& viewport, const std::filesystem::path& fileName) {
    return WritePaletteDibPng(viewport, fileName);
}

Status WriteSheetPng(const RgbCanvas& sheet, const std::filesystem::path& fileName) {
    return WriteRgbCanvasPng(sheet, fileName);
}

}  // namespace orvandel::cli
