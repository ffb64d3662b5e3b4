#pragma once

#include "core/common/geometry.h"
#include "core/view/view_cell_table.h"

namespace orvandel {

// Where a viewport pixel of a piece comes from, by the blitter's own rules.
enum class PieceReach {
    Outside,  // not in the piece's rectangle (or outside the viewport)
    Missing,  // in the rectangle, but the picture has no pixel for it: it stays as it was
    Source,   // drawn from `source`
};

struct PieceSource {
    PieceReach reach = PieceReach::Outside;
    Point source;
};

// The source pixel that viewport pixel (x, y) gets from `form` drawn from an image of
// imageWidth x imageHeight; the same conditions the blitter checks per pixel.
PieceSource SourceOfViewPixel(const PieceForm& form, int imageWidth, int imageHeight, int x, int y);

}  // namespace orvandel
