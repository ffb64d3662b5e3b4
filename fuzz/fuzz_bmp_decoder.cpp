// Any bytes handed to the BMP decoder: it must refuse with a reason or deliver a picture that
// keeps every promise the colour matching relies on, and the matching must then succeed.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/image/bmp_decoder.h"
#include "core/image/indexed_image.h"
#include "fuzz_check.h"

using namespace orvandel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DecodeResult result = BmpDecoder::DecodeBytes(std::span(data, size));
    if (!result.picture) {
        FUZZ_CHECK(!result.reason.empty());
        return 0;
    }
    const DecodedPicture& picture = *result.picture;
    FUZZ_CHECK(picture.width >= 1 && picture.width <= kMaxPictureWidth);
    FUZZ_CHECK(picture.height >= 1 && picture.height <= kMaxPictureHeight);
    const auto count =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    FUZZ_CHECK(picture.bitsPerPixel == 1 || picture.bitsPerPixel == 4 ||
               picture.bitsPerPixel == 8 || picture.bitsPerPixel == 24);
    if (picture.IsIndexed()) {
        FUZZ_CHECK(picture.indices.size() == count);
        FUZZ_CHECK(!picture.colourTable.empty());
        for (const std::uint8_t index : picture.indices) {
            FUZZ_CHECK(index < picture.colourTable.size());
        }
    } else {
        FUZZ_CHECK(picture.pixels.size() == count);
    }
    for (const Colour colour : picture.colourTable) {
        FUZZ_CHECK((colour >> 24) == 0);
    }
    for (const Colour colour : picture.pixels) {
        FUZZ_CHECK((colour >> 24) == 0);
    }

    // A palette with a few shared branches, so that matching takes its fallback paths too.
    Palette16 palette;
    for (int i = 0; i < Palette16::kSize; ++i) {
        const auto v = static_cast<std::uint8_t>(i * 17);
        palette[i] =
            MakeColour(v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v & 0xF0));
    }
    CIndexedImage image;
    image.SetPalette(palette);
    const Status matched = image.LoadFromPicture(picture);
    FUZZ_CHECK(matched.ok());
    FUZZ_CHECK(image.width() == picture.width && image.height() == picture.height);
    FUZZ_CHECK(AllIndicesValid(image.pixels(), count, Palette16::kSize));
    return 0;
}
