#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/image/picture_decoder.h"

namespace orvandel {

// JPEG through libjpeg-turbo with its exact defaults (accurate integer transform, smooth
// chroma upsampling), so that every platform gets the same pixels. Colour and grey pictures
// arrive as 24-bit colour; CMYK ones (as Adobe tools store them, inverted) become RGB by
// scaling each ink with black. Like every reader of JPEG, it shows what a damaged stream still
// holds and fills the rest; a file whose header cannot be read is refused. Pictures larger
// than kMaxPictureWidth x kMaxPictureHeight are refused from the header alone.
class JpegDecoder final : public PictureDecoder {
public:
    bool Recognizes(std::span<const std::uint8_t> head) const override;
    DecodeResult Decode(const std::filesystem::path& fileName) const override;
    // Decodes a whole file held in memory. Never reads outside `bytes`.
    static DecodeResult DecodeBytes(std::span<const std::uint8_t> bytes);
};

}  // namespace orvandel
