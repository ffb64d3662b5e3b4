#include "cli/optional_formats.h"

namespace orvandel::cli {

void RegisterOptionalPictureDecoders() {}

Status WriteViewPng(const CPaletteDib& viewport, const std::filesystem::path& fileName) {
    (void)viewport;
    (void)fileName;
    return Status::Fail("this build of orvandel-cli cannot write PNG files");
}

Status WriteSheetPng(const RgbCanvas& sheet, const std::filesystem::path& fileName) {
    (void)sheet;
    (void)fileName;
    return Status::Fail("this build of orvandel-cli cannot write PNG files");
}

}  // namespace orvandel::cli
