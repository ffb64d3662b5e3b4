#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/image/decoded_picture.h"

namespace orvandel {

// The result of a decode: the picture, or the reason it was refused.
struct DecodeResult {
    std::optional<DecodedPicture> picture;
    std::string reason;  // set when picture is empty

    static DecodeResult Fail(std::string why) { return {std::nullopt, std::move(why)}; }
};

// Takes the rows of a true-colour picture while it is decoded, so that a caller who needs each
// row only once (the colour matching) never holds the colours of the whole picture.
class ColourRowSink {
public:
    virtual ~ColourRowSink() = default;
    // The picture's size, once the decode can no longer fail and before the first row. The
    // size is within kMaxPictureWidth x kMaxPictureHeight. False refuses the picture: the
    // memory for it could not be had.
    virtual bool Begin(int width, int height) = 0;
    // Row y (0 is the top row) of `width` colours, each row once, in any order.
    virtual void TakeRow(int y, const Colour* colours) = 0;
};

// A source of pictures in one or more file formats. The core brings its own decoders for BMP,
// PNG, GIF and JPEG; a program may register more at start-up.
class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    // Whether the first bytes of a file look like this decoder's format.
    virtual bool Recognizes(std::span<const std::uint8_t> head) const = 0;
    virtual DecodeResult Decode(const std::filesystem::path& fileName) const = 0;
};

// Adds a decoder after the built-in ones. Not thread-safe: call at start-up.
void RegisterPictureDecoder(std::shared_ptr<const PictureDecoder> decoder);
void ClearRegisteredPictureDecoders();

// Decodes a file: BMP, PNG, GIF and JPEG files go to the built-in decoders alone (even when
// they refuse them); other files to the first registered decoder that recognizes them.
DecodeResult DecodePictureFile(const std::filesystem::path& fileName);
// The same, except that a 24-bit BMP file hands its rows to `rows` (when Begin accepted them)
// and comes back with its size and depth but no pixels. Other pictures come back whole.
DecodeResult DecodePictureFile(const std::filesystem::path& fileName, ColourRowSink* rows);

}  // namespace orvandel
