#include "core/image/dib_scaling.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/image/colour_table.h"

namespace orvandel {
namespace {

// An 8-bit bitmap whose pixel (x, y), counted from the top, is index (x * 7 + y * 3) % 16, in
// a table where index i is grey level 16 * i.
void MakePattern(CPaletteDib& dib, int width, int height) {
    ColourTable256 table{};
    for (std::size_t i = 0; i < 16; ++i) {
        const auto level = static_cast<std::uint8_t>(16 * i);
        table[i] = RgbQuad{level, level, level, 0};
    }
    ASSERT_TRUE(dib.Create(width, height, 8, table, 256));
    BitmapInfo info;
    dib.GetBitmapInfo(info);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = dib.GetBits() + static_cast<std::size_t>(height - 1 - y) *
                                                static_cast<std::size_t>(info.widthBytes);
        for (int x = 0; x < width; ++x) {
            row[x] = static_cast<std::uint8_t>((x * 7 + y * 3) % 16);
        }
    }
}

// Pixel (x, y) from the top: the index for 8-bit, the blue byte for 24-bit.
int ValueAt(const CPaletteDib& dib, int x, int y) {
    BitmapInfo info;
    dib.GetBitmapInfo(info);
    const std::uint8_t* row = dib.GetBits() + static_cast<std::size_t>(info.height - 1 - y) *
                                                  static_cast<std::size_t>(info.widthBytes);
    return info.bitsPerPixel == 8 ? row[x] : row[3 * x];
}

TEST(EnlargeDib, EveryPixelBecomesAnExactBlockWithTheSameTable) {
    CPaletteDib source;
    MakePattern(source, 13, 5);  // odd width: rows carry padding
    EXPECT_EQ(EnlargeDib(source, 0), nullptr);
    for (const int scale : {1, 2, 3}) {
        const auto big = EnlargeDib(source, scale);
        ASSERT_NE(big, nullptr) << scale;
        EXPECT_EQ(big->GetBitsPerPixel(), 8);
        EXPECT_TRUE(std::equal(big->colourTable().begin(), big->colourTable().end(),
                               source.colourTable().begin(), source.colourTable().end()));
        for (int y = 0; y < 5 * scale; ++y) {
            for (int x = 0; x < 13 * scale; ++x) {
                ASSERT_EQ(ValueAt(*big, x, y), ValueAt(source, x / scale, y / scale))
                    << scale << ": " << x << "," << y;
            }
        }
    }
}

// The literal definition: the average over the target pixel's area, sampled finely enough
// that every boundary between source pixels falls on a sample edge.
double ReferenceAverage(const CPaletteDib& source, int width, int height, int tx, int ty) {
    BitmapInfo info;
    source.GetBitmapInfo(info);
    const int steps = info.width * info.height;  // sub-samples per target pixel and axis
    double sum = 0;
    for (int sy = 0; sy < steps; ++sy) {
        const double y = (ty + (sy + 0.5) / steps) * info.height / height;
        for (int sx = 0; sx < steps; sx += 1) {
            const double x = (tx + (sx + 0.5) / steps) * info.width / width;
            sum += source
                       .colourTable()[static_cast<std::size_t>(
                           ValueAt(source, static_cast<int>(x), static_cast<int>(y)))]
                       .blue;
        }
    }
    return sum / (static_cast<double>(steps) * steps);
}

TEST(ReduceDibSmoothly, AveragesTheCoveredAreaIncludingPartPixels) {
    CPaletteDib source;
    MakePattern(source, 7, 5);
    // Whole ratios, fractional ratios in either direction, and the source's own size.
    const std::array<std::array<int, 2>, 5> sizes{{{7, 5}, {1, 1}, {3, 2}, {5, 4}, {6, 1}}};
    for (const auto& [width, height] : sizes) {
        const auto small = ReduceDibSmoothly(source, width, height);
        ASSERT_NE(small, nullptr);
        EXPECT_EQ(small->GetBitsPerPixel(), 24);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                EXPECT_NEAR(ValueAt(*small, x, y), ReferenceAverage(source, width, height, x, y),
                            0.5)
                    << width << "x" << height << " at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(ReduceDibSmoothly(source, 8, 5), nullptr);  // reducing never enlarges
    EXPECT_EQ(ReduceDibSmoothly(source, 0, 5), nullptr);
}

}  // namespace
}  // namespace orvandel
