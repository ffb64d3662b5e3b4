#include "cli/optional_formats.h"
#include "qtimage/palette_dib_image.h"
#include "qtimage/qt_picture_decoder.h"

namespace orvandel::cli {

void RegisterOptionalPictureDecoders() {
    RegisterQtPictureDecoders();
}

Status WriteViewPng(const CPaletteDib& viewport, const std::filesystem::path& fileName) {
    return WritePaletteDibPng(viewport, fileName);
}

}  // namespace orvandel::cli
