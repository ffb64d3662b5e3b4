#include "core/view/blit_piece.h"
#include "core/image/palette16.h"
#include "core/view/viewport_size.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace orvandel {

namespace {

// The viewport is bottom-up with rows of exactly 224 bytes: pixel (x, y) is byte
// (135 - y) * 224 + x.
constexpr std::int64_t kLastRow = kViewportHeight - 1;
constexpr std::int64_t kLastColumn = kViewportWidth - 1;

std::uint8_t* ViewportBits(CPaletteDib& viewport) {
    if (viewport.GetBitsPerPixel() != 8) {
        return nullptr;
    }
    BitmapInfo info;
    if (!viewport.GetBitmapInfo(info) || info.width != kViewportWidth ||
        info.height != kViewportHeight) {
        return nullptr;
    }
    return viewport.GetBits();
}

std::uint8_t* ViewportPixel(std::uint8_t* bits, std::int64_t x, std::int64_t y) {
    return bits + (kLastRow - y) * kViewportWidth + x;
}

// An inclusive range of loop indices; empty when lo > hi.
struct IndexRange {
    std::int64_t lo;
    std::int64_t hi;
    void Limit(std::int64_t min, std::int64_t max) {
        lo = std::max(lo, min);
        hi = std::min(hi, max);
    }
    bool IsEmpty() const { return lo > hi; }
};

// Index 10 leaves the viewport pixel as it is; only the low four bits of a byte count.
inline void PutPixel(std::uint8_t& dst, std::uint8_t byte) {
    const auto v = static_cast<std::uint8_t>(byte & 0x0F);
    dst = v == kTransparentIndex ? dst : v;
}

constexpr std::int64_t kChunkWidth = 16;
using Chunk = std::array<std::uint8_t, kChunkWidth>;

// Sixteen pixels at once, in a fixed-size loop the compiler turns into a few vector operations.
inline Chunk DrawnChunk(const std::uint8_t* dst, const std::uint8_t* src) {
    Chunk from;
    Chunk to;
    std::memcpy(from.data(), src, from.size());
    std::memcpy(to.data(), dst, to.size());
    for (std::size_t k = 0; k < to.size(); ++k) {
        PutPixel(to[k], from[k]);
    }
    return to;
}

void CopyRow(std::uint8_t* dst, const std::uint8_t* src, std::int64_t count) {
    if (count < kChunkWidth) {
        for (std::int64_t n = 0; n < count; ++n) {
            PutPixel(dst[n], src[n]);
        }
        return;
    }
    // The last pixels are drawn as one more chunk that overlaps the one before: drawing a pixel
    // twice from the same source gives what drawing it once did. It is worked out before the
    // loop stores anything, so that it never reads back a store still in flight.
    const std::int64_t last = count - kChunkWidth;
    const Chunk tail = DrawnChunk(dst + last, src + last);
    for (std::int64_t n = 0; n < last; n += kChunkWidth) {
        const Chunk drawn = DrawnChunk(dst + n, src + n);
        std::memcpy(dst + n, drawn.data(), drawn.size());
    }
    std::memcpy(dst + last, tail.data(), tail.size());
}

// `src` is the pixel for the leftmost destination column; the rest lie to its left. Reversed a
// chunk at a time into a buffer, so that the copy itself is the same widened loop as above.
void CopyRowReversed(std::uint8_t* dst, const std::uint8_t* src, std::int64_t count) {
    constexpr std::int64_t kChunk = 64;
    std::array<std::uint8_t, kChunk> chunk;
    for (std::int64_t done = 0; done < count; done += kChunk) {
        const std::int64_t size = std::min(kChunk, count - done);
        const std::uint8_t* const from = src - done;
        for (std::int64_t k = 0; k < size; ++k) {
            chunk[static_cast<std::size_t>(k)] = from[-k];
        }
        CopyRow(dst + done, chunk.data(), size);
    }
}

}  // namespace

void BlitPieceReference(CPaletteDib& viewport, const CIndexedImage& image, int left, int top,
                        int right, int bottom, int sourceX, int sourceY, bool mirrored) {
    std::uint8_t* const bits = ViewportBits(viewport);
    if (bits == nullptr) {
        return;
    }
    // 64-bit throughout: the arguments may be anything, and their sums must not wrap.
    const std::int64_t w = image.width();
    const std::int64_t h = image.height();
    const std::int64_t spanX = std::int64_t{right} - left;
    const std::int64_t spanY = std::int64_t{bottom} - top;
    for (std::int64_t i = 0; i < h; ++i) {
        const std::int64_t dy = top + i;
        if (dy < 0 || dy > kLastRow || i > spanY) {
            continue;
        }
        const std::int64_t sy = sourceY + i;
        if (sy < 0 || sy >= h) {
            continue;
        }
        for (std::int64_t j = 0; j < w; ++j) {
            const std::int64_t dx = left + j;
            if (dx < 0 || dx > kLastColumn || j > spanX) {
                continue;
            }
            const std::int64_t sx = mirrored ? sourceX + spanX - j : sourceX + j;
            if (sx < 0 || sx >= w) {
                continue;
            }
            const int v = image.GetIndex(static_cast<int>(sx), static_cast<int>(sy)) & 0x0F;
            if (v != kTransparentIndex) {
                *ViewportPixel(bits, dx, dy) = static_cast<std::uint8_t>(v);
            }
        }
    }
}

// The same result as the reference, with every clip solved once up front: each condition of
// the per-pixel steps is linear in i or j, so together they cut the loops down to one row range
// and one column range, and the pixels inside are copied straight from memory.
void BlitPiece(CPaletteDib& viewport, const CIndexedImage& image, int left, int top, int right,
               int bottom, int sourceX, int sourceY, bool mirrored) {
    const std::uint8_t* const source = image.pixels();
    if (source == nullptr) {
        // An image without pixels reads as index 0 everywhere; leave that rare case to the
        // literal steps.
        BlitPieceReference(viewport, image, left, top, right, bottom, sourceX, sourceY, mirrored);
        return;
    }
    std::uint8_t* const bits = ViewportBits(viewport);
    if (bits == nullptr) {
        return;
    }
    const std::int64_t w = image.width();
    const std::int64_t h = image.height();
    const std::int64_t spanX = std::int64_t{right} - left;
    const std::int64_t spanY = std::int64_t{bottom} - top;

    IndexRange rows{0, h - 1};
    rows.Limit(-std::int64_t{top}, kLastRow - top);       // 0 <= top + i <= 135
    rows.Limit(0, spanY);                                 // i <= bottom - top
    rows.Limit(-std::int64_t{sourceY}, h - 1 - sourceY);  // 0 <= sourceY + i < h

    IndexRange columns{0, w - 1};
    columns.Limit(-std::int64_t{left}, kLastColumn - left);  // 0 <= left + j <= 223
    columns.Limit(0, spanX);                                 // j <= right - left
    if (mirrored) {
        // 0 <= sourceX + spanX - j < w
        columns.Limit(sourceX + spanX - (w - 1), sourceX + spanX);
    } else {
        columns.Limit(-std::int64_t{sourceX}, w - 1 - sourceX);
    }
    if (rows.IsEmpty() || columns.IsEmpty()) {
        return;
    }

    const std::int64_t count = columns.hi - columns.lo + 1;
    const std::int64_t firstSourceX =
        mirrored ? sourceX + spanX - columns.lo : sourceX + columns.lo;
    for (std::int64_t i = rows.lo; i <= rows.hi; ++i) {
        std::uint8_t* const dst = ViewportPixel(bits, left + columns.lo, top + i);
        const std::uint8_t* const src = source + (sourceY + i) * w + firstSourceX;
        if (mirrored) {
            CopyRowReversed(dst, src, count);
        } else {
            CopyRow(dst, src, count);
        }
    }
}

void BlitPiece(CPaletteDib& viewport, const CIndexedImage& image, const PieceForm& form) {
    BlitPiece(viewport, image, form.left, form.top, form.right, form.bottom, form.sourceX,
              form.sourceY, form.mirrored);
}

}  // namespace orvandel
