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

// A source of pictures in one or more file formats. The core brings its own BMP decoder; the
// applications register others (PNG, GIF, JPEG through Qt) at start-up.
class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    // Whether the first bytes of a file look like this decoder's format.
    virtual bool Recognizes(std::span<const std::uint8_t> head) const = 0;
    virtual DecodeResult Decode(const std::filesystem::path& fileName) const = 0;
};

// Adds a decoder after the built-in BMP decoder. Not thread-safe: call at start-up.
void RegisterPictureDecoder(std::shared_ptr<const PictureDecoder> decoder);
void ClearRegisteredPictureDecoders();

// Decodes a file: BMP files go to the built-in decoder alone (even when it refuses them);
// other files to the first registered decoder that recognizes them.
DecodeResult DecodePictureFile(const std::filesystem::path& fileName);

}  // namespace orvandel
