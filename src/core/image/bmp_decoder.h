#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/image/picture_decoder.h"

namespace orvandel {

// BMP files as painting tools write them: OS/2 core and Windows info headers (12, 40, 52, 56,
// 108, 124 bytes), 1, 4, 8 and 24 bits per pixel, uncompressed or RLE4/RLE8, either row order.
// Pictures larger than kMaxPictureWidth x kMaxPictureHeight are refused after the header.
class BmpDecoder final : public PictureDecoder {
public:
    bool Recognizes(std::span<const std::uint8_t> head) const override;
    DecodeResult Decode(const std::filesystem::path& fileName) const override;

    // Decodes a whole file held in memory. Never reads outside `bytes`.
    static DecodeResult DecodeBytes(std::span<const std::uint8_t> bytes);
};

}  // namespace orvandel
