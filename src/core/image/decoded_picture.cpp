#include "core/image/decoded_picture.h"

namespace orvandel {

Colour DecodedPicture::ColourAt(int x, int y) const {
    const auto at =
        static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    return IsIndexed() ? colourTable[indices[at]] : pixels[at];
}

}  // namespace orvandel
