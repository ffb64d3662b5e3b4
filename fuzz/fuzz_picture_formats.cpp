// Any bytes handed to the PNG, GIF and JPEG readers (each of them, whatever the signature says):
// each must refuse with a reason or deliver a picture that keeps every promise the colour
// matching relies on, and the matching must then succeed.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/image/gif_decoder.h"
#include "core/image/indexed_image.h"
#include "core/image/jpeg_decoder.h"
#include "core/image/png_decoder.h"
#include "fuzz_check.h"

using namespace orvandel;

namespace {

void CheckPicture(const DecodeResult& result, bool mayBeIndexed) {
    if (!result.picture) {
        FUZZ_CHECK(!result.reason.empty());
        return;
    }
    const DecodedPicture& picture = *result.picture;
    FUZZ_CHECK(picture.width >= 1 && picture.width <= kMaxPictureWidth);
    FUZZ_CHECK(picture.height >= 1 && picture.height <= kMaxPictureHeight);
    const auto count =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (picture.IsIndexed()) {
        FUZZ_CHECK(mayBeIndexed);
        FUZZ_CHECK(picture.indices.size() == count);
        FUZZ_CHECK(!picture.colourTable.empty() && picture.colourTable.size() <= 256);
        for (const std::uint8_t index : picture.indices) {
            FUZZ_CHECK(index < picture.colourTable.size());
        }
    } else {
        FUZZ_CHECK(picture.bitsPerPixel == 24);
        FUZZ_CHECK(picture.pixels.size() == count);
    }
    for (const Colour colour : picture.colourTable) {
        FUZZ_CHECK((colour >> 24) == 0);
    }
    for (const Colour colour : picture.pixels) {
        FUZZ_CHECK((colour >> 24) == 0);
    }
    // Two bits per pixel is a PNG depth the wall set refuses by name; the others must match.
    if (picture.bitsPerPixel == 2) {
        return;
    }
    Palette16 palette;
    for (int i = 0; i < Palette16::kSize; ++i) {
        const auto v = static_cast<std::uint8_t>(i * 17);
        palette[i] =
            MakeColour(v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v & 0xF0));
    }
    CIndexedImage image;
    image.SetPalette(palette);
    FUZZ_CHECK(image.LoadFromPicture(picture).ok());
    FUZZ_CHECK(AllIndicesValid(image.pixels(), count, Palette16::kSize));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    CheckPicture(PngDecoder::DecodeBytes(bytes), true);
    CheckPicture(GifDecoder::DecodeBytes(bytes), false);
    CheckPicture(JpegDecoder::DecodeBytes(bytes), false);
    return 0;
}
