#include "core/image/decoded_picture.h"

#include <array>

#include "core/common/message_texts.h"

namespace orvandel {

Colour DecodedPicture::ColourAt(int x, int y) const {
    const auto at =
        static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    return IsIndexed() ? colourTable[indices[at]] : pixels[at];
}

std::string PictureSizeRefusal(long long width, long long height) {
    if (width > kMaxPictureWidth) {
        return messages::TooWide(width, kMaxPictureWidth);
    }
    if (height > kMaxPictureHeight) {
        return messages::TooTall(height, kMaxPictureHeight);
    }
    return {};
}

std::string IndexedPictureProblem(const DecodedPicture& picture,
                                  std::span<const std::uint8_t> tableAlpha) {
    std::array<bool, 256> used{};
    for (const std::uint8_t index : picture.indices) {
        used[index] = true;
    }
    for (std::size_t index = 0; index < used.size(); ++index) {
        if (!used[index]) {
            continue;
        }
        if (index >= picture.colourTable.size()) {
            return "pixel index " + std::to_string(index) + " outside the colour table";
        }
        if (index < tableAlpha.size() && tableAlpha[index] < 255) {
            return std::string(messages::kTransparentPixels);
        }
    }
    return {};
}

}  // namespace orvandel
