#pragma once

#include <vector>

#include "core/view/view_cell_table.h"

namespace orvandel {

// A run of viewport columns or rows, both ends inclusive.
struct PixelRun {
    int first = 0;
    int last = 0;
    friend bool operator==(const PixelRun&, const PixelRun&) = default;
};

// Which part of a piece's destination rectangle its image can reach. The blitter decides
// columns and rows independently, so a pixel of the rectangle stays empty exactly when its
// column or its row is listed here. Transparent pixels are not considered: they are part of
// the picture, not a gap in it.
struct PieceCoverage {
    // The destination rectangle clipped to the viewport, inclusive; no pixels when the
    // rectangle lies wholly outside the viewport or is inverted.
    int left = 0, top = 0, right = -1, bottom = -1;
    std::vector<PixelRun> emptyColumns;  // viewport x, ascending
    std::vector<PixelRun> emptyRows;     // viewport y, ascending
    // The smallest image size (from the top-left corner) whose pixels reach every column and
    // row; 0 when no image size can (a source point left of or above the image).
    int neededWidth = 0;
    int neededHeight = 0;

    bool HasPixels() const { return left <= right && top <= bottom; }
    bool CoversAll() const { return emptyColumns.empty() && emptyRows.empty(); }
    // True when not one pixel of the rectangle can be drawn.
    bool DrawsNothing() const;
};

// The coverage of `form` drawn from an image of imageWidth x imageHeight pixels.
PieceCoverage ComputePieceCoverage(const PieceForm& form, int imageWidth, int imageHeight);

}  // namespace orvandel
