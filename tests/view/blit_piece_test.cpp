#include "core/view/blit_piece.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <random>
#include <vector>

#include "core/view/viewport_size.h"
#include "view/view_test_helpers.h"

namespace orvandel {
namespace {

using testing::kUntouched;
using testing::MakeImage;
using testing::MakeOpaqueImage;
using testing::MakeViewport;
using testing::ViewportAt;

// Viewport pixels inside [x0..x1] x [y0..y1] must hold image (firstColumn + step * (x - x0),
// firstRow + y - y0); every other pixel must be untouched.
void ExpectOnly(const CPaletteDib& dib, const CIndexedImage& image, int x0, int y0, int x1, int y1,
                int firstColumn, int firstRow, int step) {
    int wrong = 0;
    for (int y = 0; y < kViewportHeight; ++y) {
        for (int x = 0; x < kViewportWidth; ++x) {
            const bool inside = x >= x0 && x <= x1 && y >= y0 && y <= y1;
            const int expected =
                inside ? image.GetIndex(firstColumn + step * (x - x0), firstRow + y - y0) & 0x0F
                       : kUntouched;
            wrong += ViewportAt(dib, x, y) != expected;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(BlitPieceTarget, BitmapsOfAnotherShapeStayUntouched) {
    const CIndexedImage image = MakeOpaqueImage(224, 136, 1);
    struct Shape {
        int width, height, bitsPerPixel;
    };
    for (const Shape shape : {Shape{223, 136, 8}, Shape{136, 224, 8}, Shape{224, 136, 4}}) {
        CPaletteDib dib;
        MakeViewport(dib, shape.width, shape.height, shape.bitsPerPixel);
        BitmapInfo info;
        dib.GetBitmapInfo(info);
        const std::vector<std::uint8_t> before(dib.GetBits(),
                                               dib.GetBits() + info.widthBytes * info.height);
        BlitPiece(dib, image, 0, 0, 223, 135, 0, 0, false);
        EXPECT_TRUE(std::equal(before.begin(), before.end(), dib.GetBits()))
            << shape.width << "x" << shape.height << "x" << shape.bitsPerPixel;
    }
    CPaletteDib empty;
    BlitPiece(empty, image, 0, 0, 223, 135, 0, 0, false);  // no pixel memory: must not crash
    EXPECT_FALSE(empty.HasBitmap());
}

TEST(BlitPieceGeometry, TablePiecesLandWhereExpected) {
    struct Case {
        const char* what;
        int imageWidth, imageHeight;
        int left, top, right, bottom, sourceX, sourceY;
        bool mirrored;
        int x0, y0, x1, y1, firstColumn, firstRow, step;  // expected drawn region
    };
    const Case cases[] = {
        {"D3RR mirrored", 16, 49, 208, 25, 223, 73, 0, 0, true, 208, 25, 223, 73, 15, 0, -1},
        {"D1L", 256, 111, 0, 9, 63, 119, 192, 0, false, 0, 9, 63, 119, 192, 0, 1},
        {"D1L narrow image", 200, 111, 0, 9, 63, 119, 192, 0, false, 0, 9, 7, 119, 192, 0, 1},
        {"D3LL small image", 8, 49, 0, 25, 15, 73, 0, 0, false, 0, 25, 7, 73, 0, 0, 1},
        {"D3 large image", 300, 200, 74, 25, 149, 75, 18, 0, false, 74, 25, 149, 75, 18, 0, 1},
        {"reaching past the edges", 30, 20, -5, 130, 20, 140, 0, 0, false, 0, 130, 20, 135, 5, 0,
         1},
        {"mirrored past the left edge", 30, 20, -5, 0, 20, 3, 0, 0, true, 0, 0, 20, 3, 20, 0, -1},
        {"image smaller than rectangle", 4, 3, 10, 10, 50, 50, 0, 0, false, 10, 10, 13, 12, 0, 0,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CPaletteDib dib;
        MakeViewport(dib);
        const CIndexedImage image = MakeOpaqueImage(c.imageWidth, c.imageHeight, 7);
        BlitPiece(dib, image, c.left, c.top, c.right, c.bottom, c.sourceX, c.sourceY, c.mirrored);
        ExpectOnly(dib, image, c.x0, c.y0, c.x1, c.y1, c.firstColumn, c.firstRow, c.step);
    }
}

TEST(BlitPieceGeometry, NothingIsDrawnWhenNoSourceOrDestinationOverlaps) {
    const CIndexedImage small = MakeOpaqueImage(8, 49, 3);
    const CIndexedImage large = MakeOpaqueImage(300, 200, 3);
    struct Case {
        const CIndexedImage* image;
        int left, top, right, bottom, sourceX, sourceY;
        bool mirrored;
    };
    const Case cases[] = {
        {&small, 208, 25, 223, 73, 0, 0, true},  // asks for columns 15..8 of an 8-wide image
        {&large, 50, 10, 40, 60, 0, 0, false},   // right < left
        {&large, 10, 60, 40, 50, 0, 0, false},   // bottom < top
        {&large, 224, 0, 300, 50, 0, 0, false},  // right of the viewport
        {&large, 0, -60, 50, -1, 0, 0, false},   // above the viewport
        {&large, 0, 0, 50, 50, 300, 0, false},   // source right of the image
        {&large, 0, 0, 50, 50, 0, -200, false},  // source above the image
    };
    for (const Case& c : cases) {
        CPaletteDib dib;
        MakeViewport(dib);
        BlitPiece(dib, *c.image, c.left, c.top, c.right, c.bottom, c.sourceX, c.sourceY,
                  c.mirrored);
        ExpectOnly(dib, *c.image, 0, 0, -1, -1, 0, 0, 1);
    }
}

TEST(BlitPiecePixels, OnlyLowNibbleCountsAndTenIsTransparent) {
    CPaletteDib dib;
    MakeViewport(dib);
    const CIndexedImage image = MakeImage(4, 1, [](int x, int) {
        return std::array{0x1A, 0x13, 0x0A, 0xF5}[static_cast<std::size_t>(x)];
    });
    BlitPiece(dib, image, 0, 0, 3, 0, 0, 0, false);
    EXPECT_EQ(ViewportAt(dib, 0, 0), kUntouched);
    EXPECT_EQ(ViewportAt(dib, 1, 0), 3);
    EXPECT_EQ(ViewportAt(dib, 2, 0), kUntouched);
    EXPECT_EQ(ViewportAt(dib, 3, 0), 5);

    const CIndexedImage allTen = MakeImage(224, 136, [](int, int) { return 10; });
    BlitPiece(dib, allTen, 0, 0, 223, 135, 0, 0, false);
    EXPECT_EQ(ViewportAt(dib, 1, 0), 3);
    EXPECT_EQ(ViewportAt(dib, 100, 100), kUntouched);
}

TEST(BlitPiecePixels, DrawingTwiceEqualsDrawingOnce) {
    CPaletteDib dib;
    MakeViewport(dib);
    std::mt19937 random(5);
    const CIndexedImage image = MakeImage(64, 51, [&](int, int) { return random() % 16; });
    BlitPiece(dib, image, 0, 25, 83, 75, 32, 0, true);
    const std::vector<std::uint8_t> once(dib.GetBits(), dib.GetBits() + 224 * 136);
    BlitPiece(dib, image, 0, 25, 83, 75, 32, 0, true);
    EXPECT_TRUE(std::equal(once.begin(), once.end(), dib.GetBits()));
}

// The fast path must agree with the literal per-pixel steps on any arguments at all.
TEST(BlitPieceFastPath, MatchesReferenceOnRandomInputs) {
    std::mt19937 random(20240601);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    // Mostly arguments near the viewport and image, so that most rounds draw something; now
    // and then one at the far ends of int, where sums of arguments must not wrap.
    auto near = [&](int lo, int hi) {
        switch (pick(0, 39)) {
            case 0:
                return INT_MIN + pick(0, 300);
            case 1:
                return INT_MAX - pick(0, 300);
            default:
                return pick(lo, hi);
        }
    };
    auto beyond = [&](int from, int lo, int hi) {
        const long long sum = static_cast<long long>(from) + pick(lo, hi);
        return sum < INT_MIN || sum > INT_MAX ? from : static_cast<int>(sum);
    };
    CPaletteDib fast;
    CPaletteDib reference;
    MakeViewport(fast);
    MakeViewport(reference);
    constexpr int kRounds = 2000;
    int drawingRounds = 0;
    for (int round = 0; round < kRounds; ++round) {
        const int width = pick(0, 9) == 0 ? 0 : pick(1, 320);
        const int height = pick(0, 9) == 0 ? 0 : pick(1, 200);
        CIndexedImage image;
        if (image.Init(width, height)) {
            // Plenty of 10s and high nibbles, so transparency and masking are both exercised.
            for (int n = 0; n < width * height; ++n) {
                const auto byte = static_cast<std::uint8_t>(random());
                image.pixels()[n] = byte % 5 == 0 ? 10 : byte;
            }
        }
        for (int n = 0; n < kViewportWidth * kViewportHeight; ++n) {
            fast.GetBits()[n] = reference.GetBits()[n] = static_cast<std::uint8_t>(random());
        }
        const int left = near(-60, 260), top = near(-60, 170);
        const int right = pick(0, 9) ? beyond(left, -5, 300) : near(-60, 300);
        const int bottom = pick(0, 9) ? beyond(top, -5, 200) : near(-60, 200);
        const bool mirrored = pick(0, 1) == 1;
        // A mirrored piece reads leftwards from sourceX + (right - left): aim that at the image.
        const long long span = static_cast<long long>(right) - left;
        const int reach = mirrored ? static_cast<int>(std::clamp(span, -1000LL, 1000LL)) : 0;
        const int sourceX = near(-30 - reach, width + 10 - reach);
        const int sourceY = near(-30, height / 2 + 10);
        const std::vector<std::uint8_t> before(fast.GetBits(), fast.GetBits() + 224 * 136);
        BlitPiece(fast, image, left, top, right, bottom, sourceX, sourceY, mirrored);
        BlitPieceReference(reference, image, left, top, right, bottom, sourceX, sourceY, mirrored);
        drawingRounds += std::memcmp(before.data(), fast.GetBits(), 224 * 136) != 0;
        ASSERT_EQ(std::memcmp(fast.GetBits(), reference.GetBits(), 224 * 136), 0)
            << "image " << width << "x" << height << ", rect (" << left << "," << top << ")-("
            << right << "," << bottom << "), source (" << sourceX << "," << sourceY
            << "), mirrored " << mirrored;
    }
    EXPECT_GT(drawingRounds,
              kRounds / 5);  // the comparison means little if hardly anything is drawn
}

}  // namespace
}  // namespace orvandel
