#pragma once

#include <QImage>

#include "core/image/palette_dib.h"
#include "core/image/png_writer.h"

namespace orvandel {

// The bitmap as an indexed QImage (top row first) with the bitmap's own colour table. 1-, 4- and
// 8-bit bitmaps become Format_Indexed8; a bitmap without pixels gives a null image.
QImage PaletteDibToImage(const CPaletteDib& dib);

}  // namespace orvandel
