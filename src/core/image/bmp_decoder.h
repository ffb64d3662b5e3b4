#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/common/file_reader.h"
#include "core/image/picture_decoder.h"

namespace orvandel {

// BMP files as painting tools write them: OS/2 core and Windows info headers (12, 40, 52, 56,
// 108, 124 bytes), 1, 4, 8 and 24 bits per pixel, uncompressed or RLE4/RLE8, either row order.
// Pictures larger than kMaxPictureWidth x kMaxPictureHeight are refused after the header, before
// any pixel memory is allocated or more of the file is read.
//
// Rules for files that do not quite add up:
// - The colour table is cut where the pixels begin, and at 2^bpp entries; the decoded table is
//   always 2^bpp entries long, entries the file did not give are black, so an index past the
//   file's table reads as black.
// - Pixels an RLE stream skips (deltas, early end of line or bitmap) take index 0. Runs and
//   deltas that overrun a row or the picture are clipped: what lies outside is dropped. An RLE
//   stream that ends before its end-of-bitmap mark (and before the last row) is refused.
// - The file header's size field and the info header's image size are ignored; the pixels are
//   read from the file header's pixel offset, as far as the picture can need.
class BmpDecoder final : public PictureDecoder {
public:
    bool Recognizes(std::span<const std::uint8_t> head) const override;
    DecodeResult Decode(const std::filesystem::path& fileName) const override;
    // As Decode; a 24-bit picture hands its rows to `rows` (if not null) instead of keeping them.
    DecodeResult Decode(const std::filesystem::path& fileName, ColourRowSink* rows) const;
    // As Decode, on a file the caller has already opened (to look at its first bytes).
    DecodeResult Decode(ReadableFile& file, ColourRowSink* rows) const;

    // Decodes a whole file held in memory. Never reads outside `bytes`.
    static DecodeResult DecodeBytes(std::span<const std::uint8_t> bytes);
};

}  // namespace orvandel
