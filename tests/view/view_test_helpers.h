#pragma once

#include <cstdint>
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "core/image/colour_table.h"
#include "core/image/indexed_image.h"
#include "core/image/palette_dib.h"
#include "core/view/viewport_size.h"
#include "support/test_pictures.h"

namespace orvandel::testing {

// A byte the blitter can never write (it writes 0..15 only), so untouched pixels stand out.
inline constexpr std::uint8_t kUntouched = 0xEE;

inline void MakeViewport(CPaletteDib& dib, int width = kViewportWidth, int height = kViewportHeight,
                         int bitsPerPixel = 8) {
    const ColourTable256 table{};
    const int count = bitsPerPixel == 8 ? 256 : 0;
    const std::span<const RgbQuad> entries =
        bitsPerPixel == 8 ? std::span<const RgbQuad>(table) : std::span<const RgbQuad>();
    ASSERT_TRUE(dib.Create(width, height, bitsPerPixel, entries, count));
    BitmapInfo info;
    ASSERT_TRUE(dib.GetBitmapInfo(info));
    std::memset(dib.GetBits(), kUntouched,
                static_cast<std::size_t>(info.widthBytes) * static_cast<std::size_t>(height));
}

inline std::uint8_t ViewportAt(const CPaletteDib& dib, int x, int y) {
    return dib.GetBits()[(kViewportHeight - 1 - y) * kViewportWidth + x];
}

// Random opaque indices: every pixel's origin can be told apart with high probability.
inline CIndexedImage MakeOpaqueImage(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    return MakeImage(width, height, [&](int, int) {
        const int v = static_cast<int>(random() % 15);
        return v >= 10 ? v + 1 : v;
    });
}

}  // namespace orvandel::testing
