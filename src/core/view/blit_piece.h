#pragma once

#include "core/image/indexed_image.h"
#include "core/image/palette_dib.h"
#include "core/view/view_cell_table.h"
#include "core/view/viewport_size.h"

namespace orvandel {

// Copies one piece from `image` into the 224 x 136 x 8 viewport. Clips each pixel against the
// viewport and the image; draws nothing into a bitmap of any other shape.
void BlitPiece(CPaletteDib& viewport, const CIndexedImage& image, int left, int top, int right,
               int bottom, int sourceX, int sourceY, bool mirrored);
void BlitPiece(CPaletteDib& viewport, const CIndexedImage& image, const PieceForm& form);

// The same steps, one pixel at a time through GetIndex: the reference for the fast path.
void BlitPieceReference(CPaletteDib& viewport, const CIndexedImage& image, int left, int top,
                        int right, int bottom, int sourceX, int sourceY, bool mirrored);

}  // namespace orvandel
