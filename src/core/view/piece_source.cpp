#include "core/view/piece_source.h"

#include <cstdint>

#include "core/view/viewport_size.h"

namespace orvandel {

PieceSource SourceOfViewPixel(const PieceForm& form, int imageWidth, int imageHeight, int x,
                              int y) {
    if (x < 0 || y < 0 || x >= kViewportWidth || y >= kViewportHeight || x < form.left ||
        x > form.right || y < form.top || y > form.bottom) {
        return {};
    }
    const std::int64_t j = std::int64_t{x} - form.left;
    const std::int64_t i = std::int64_t{y} - form.top;
    const std::int64_t spanX = std::int64_t{form.right} - form.left;
    const std::int64_t sx = form.mirrored ? form.sourceX + spanX - j : form.sourceX + j;
    const std::int64_t sy = std::int64_t{form.sourceY} + i;
    // The blitter walks the image's own columns and rows, so a piece wider than its picture
    // stops at the picture's width even where the source column would exist.
    if (j >= imageWidth || i >= imageHeight || sx < 0 || sx >= imageWidth || sy < 0 ||
        sy >= imageHeight) {
        return {PieceReach::Missing, {}};
    }
    return {PieceReach::Source, {static_cast<int>(sx), static_cast<int>(sy)}};
}

}  // namespace orvandel
