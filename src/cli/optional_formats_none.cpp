#include "cli/optional_formats.h"

namespace orvandel::cli {

void RegisterOptionalPictureDecoders() {}

bool CanWritePng() {
    return false;
}

std::optional<std::vector<std::uint8_t>> EncodeViewPng(const CPaletteDib& picture) {
    (void)picture;
    return std::nullopt;
}

}  // namespace orvandel::cli
