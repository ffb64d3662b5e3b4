#include "cli/optional_formats.h"

#include "cli/cli_texts.h"

namespace orvandel::cli {

void RegisterOptionalPictureDecoders() {}

bool CanWritePng() {
    return false;
}

std::optional<std::vector<std::uint8_t>> EncodeViewPng(const CPaletteDib& picture) {
    (void)picture;
    return std::nullopt;
}

Status WriteSheetPng(const RgbCanvas& sheet, const std::filesystem::path& fileName) {
    (void)sheet;
    (void)fileName;
    return Status::Fail(std::string(texts::kNoPngWriter));
}

}  // namespace orvandel::cli
