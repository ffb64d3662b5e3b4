#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/image/picture_decoder.h"

namespace orvandel {

// Pictures that are not BMP files, read through Qt's image plugins (PNG, GIF, JPEG, ...).
// Indexed pictures keep their colour table; everything else must be fully opaque and is handed
// on as 24-bit colour. Oversized pictures are refused before any pixel is decoded.
class QtPictureDecoder final : public PictureDecoder {
public:
    bool Recognizes(std::span<const std::uint8_t> head) const override;
    DecodeResult Decode(const std::filesystem::path& fileName) const override;
};

// Adds the Qt decoder behind the core's own BMP decoder. Call once at start-up.
void RegisterQtPictureDecoders();

}  // namespace orvandel
