#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/image/picture_decoder.h"

namespace orvandel {

// PNG through libpng, every colour type and depth, interlaced or not, with no gamma or colour
// space applied (the numbers in the file are the colours). What arrives:
// - palette pictures keep their table (as long as the file's PLTE) and their file depth;
// - 1-bit grey is a two-entry table (white, black); other grey depths below 8, and any grey
//   with a tRNS entry, are a grey ramp table at 8 bits per pixel;
// - 8-bit grey without tRNS and every colour picture are 24-bit; 16-bit samples are rounded
//   to 8 bits (v / 257).
// A used table entry or a pixel that is not fully opaque refuses the picture. Pictures larger
// than kMaxPictureWidth x kMaxPictureHeight are refused from the header alone.
class PngDecoder final : public PictureDecoder {
public:
    bool Recognizes(std::span<const std::uint8_t> head) const override;
    DecodeResult Decode(const std::filesystem::path& fileName) const override;
    // Decodes a whole file held in memory. Never reads outside `bytes`.
    static DecodeResult DecodeBytes(std::span<const std::uint8_t> bytes);
};

// 16-bit sample to 8 bits, rounded to the nearest (value / 257).
constexpr std::uint8_t SixteenToEight(unsigned value) {
    return static_cast<std::uint8_t>((value * 255 + 32767) / 65535);
}

}  // namespace orvandel
