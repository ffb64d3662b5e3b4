#pragma once

#include <memory>

#include "core/image/palette_dib.h"

namespace orvandel {

// The longest edge an enlargement may reach; beyond it a request is refused, not attempted.
inline constexpr int kMaxEnlargedEdge = 8192;

// An 8-bit bitmap enlarged by a whole `scale` (1 or more): every pixel becomes an exact
// scale x scale block and the colour table is kept, so the picture stays indexed. Nothing for
// another depth, a bitmap without pixels or a size the bitmap cannot hold.
std::unique_ptr<CPaletteDib> EnlargeDib(const CPaletteDib& source, int scale);

// An 8-bit bitmap reduced to `width` x `height` (each at most the source's): every target pixel
// is the average colour of the source area it covers, partly covered pixels weighing by the
// part. The result is 24-bit, since averages leave the palette. Nothing on bad input.
std::unique_ptr<CPaletteDib> ReduceDibSmoothly(const CPaletteDib& source, int width, int height);

}  // namespace orvandel
