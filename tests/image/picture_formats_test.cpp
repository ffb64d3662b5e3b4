#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/common/message_texts.h"
#include "core/image/colour_table.h"
#include "core/image/gif_decoder.h"
#include "core/image/jpeg_decoder.h"
#include "core/image/palette_dib.h"
#include "core/image/png_decoder.h"
#include "core/image/png_writer.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

// A bitmap whose pixel (x, y) has index (x + 3 y) mod 2^depth, or a colour made of x and y.
void Fill(CPaletteDib& dib, int width, int height, int depth) {
    BitmapInfo info;
    ASSERT_TRUE(dib.GetBitmapInfo(info));
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = dib.GetBits() + static_cast<std::size_t>(height - 1 - y) *
                                                static_cast<std::size_t>(info.widthBytes);
        for (int x = 0; x < width; ++x) {
            const auto ux = static_cast<std::size_t>(x);
            if (depth == 24) {
                row[3 * ux] = static_cast<std::uint8_t>(x * 5);
                row[3 * ux + 1] = static_cast<std::uint8_t>(y * 7);
                row[3 * ux + 2] = static_cast<std::uint8_t>(x ^ y);
                continue;
            }
            const auto index = static_cast<unsigned>((x + 3 * y) % (1 << depth));
            const unsigned perByte = 8u / static_cast<unsigned>(depth);
            const auto shift =
                static_cast<unsigned>(8 - depth * (1 + x % static_cast<int>(perByte)));
            row[ux / perByte] = static_cast<std::uint8_t>(row[ux / perByte] | (index << shift));
        }
    }
}

TEST(PngWriter, EveryBitmapDepthReadsBackAsItsOwnPixelsAndTable) {
    const ColourTable256 table = BuildColourTable(testing::TestPalette());
    for (const int depth : {1, 4, 8, 24}) {
        SCOPED_TRACE(depth);
        constexpr int kWidth = 13;  // rows end inside a byte at 1 and 4 bits
        constexpr int kHeight = 5;
        CPaletteDib dib;
        const int count = depth == 24 ? 0 : 1 << depth;
        ASSERT_TRUE(dib.Create(kWidth, kHeight, depth,
                               std::span(table).first(static_cast<std::size_t>(count)), count));
        Fill(dib, kWidth, kHeight, depth);
        const auto png = EncodePaletteDibPng(dib);
        ASSERT_TRUE(png);
        EXPECT_EQ(EncodePaletteDibPng(dib), png) << "the same bitmap gives the same bytes";

        const DecodeResult back = PngDecoder::DecodeBytes(*png);
        ASSERT_TRUE(back.picture) << back.reason;
        const DecodedPicture& picture = *back.picture;
        EXPECT_EQ(picture.bitsPerPixel, depth);
        ASSERT_EQ(picture.width, kWidth);
        ASSERT_EQ(picture.height, kHeight);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                Colour want = 0;
                if (depth == 24) {
                    want = MakeColour(static_cast<std::uint8_t>(x ^ y),
                                      static_cast<std::uint8_t>(y * 7),
                                      static_cast<std::uint8_t>(x * 5));
                } else {
                    const RgbQuad& entry = table[static_cast<std::size_t>((x + 3 * y) % count)];
                    want = MakeColour(entry.red, entry.green, entry.blue);
                }
                ASSERT_EQ(picture.ColourAt(x, y), want) << x << "," << y;
            }
        }
    }
}

TEST(PngWriter, RefusesWhatItCannotWrite) {
    EXPECT_FALSE(EncodePaletteDibPng(CPaletteDib()));
    const std::array<std::uint8_t, 6> twoPixels{1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(EncodeRgbPng(2, 1, twoPixels));
    EXPECT_FALSE(EncodeRgbPng(3, 1, twoPixels));
    EXPECT_FALSE(EncodeRgbPng(0, 0, {}));
    testing::TempFolder folder;
    EXPECT_FALSE(WritePngFile(twoPixels, folder / "no-such-folder" / "a.png").ok());
}

// The smallest GIF: 2 x 1 on a 2-colour global table, pixels 0 and 1.
std::vector<std::uint8_t> TinyGif() {
    return {'G',  'I', 'F',  '8',  '9', 'a', 2, 0, 1, 0, 0x80, 0, 0,  //
            10,   20,  30,   40,   50,  60,                           // table
            0x2C, 0,   0,    0,    0,   2,   0, 1, 0, 0,              // picture
            2,    2,   0x44, 0x0A, 0,   0x3B};                        // LZW, end
}

TEST(PictureFormats, TinyGifDecodesAsTwentyFourBit) {
    const DecodeResult result = GifDecoder::DecodeBytes(TinyGif());
    ASSERT_TRUE(result.picture) << result.reason;
    EXPECT_EQ(result.picture->bitsPerPixel, 24);
    EXPECT_EQ(result.picture->ColourAt(0, 0), MakeColour(10, 20, 30));
    EXPECT_EQ(result.picture->ColourAt(1, 0), MakeColour(40, 50, 60));
}

// Every cut of a good file is refused with a reason or decoded within the limits; none reads
// past its bytes (the sanitizer build checks that).
TEST(PictureFormats, EveryTruncationIsRefusedOrDecodedSafely) {
    const std::array<std::uint8_t, 12> rgb{9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2};
    const std::vector<std::uint8_t> png = *EncodeRgbPng(2, 2, rgb);
    const std::vector<std::uint8_t> gif = TinyGif();
    struct Case {
        std::span<const std::uint8_t> bytes;
        DecodeResult (*decode)(std::span<const std::uint8_t>);
    };
    for (const Case& c : {Case{png, &PngDecoder::DecodeBytes}, Case{gif, &GifDecoder::DecodeBytes},
                          Case{gif, &JpegDecoder::DecodeBytes}}) {
        for (std::size_t size = 0; size < c.bytes.size(); ++size) {
            const DecodeResult result = c.decode(c.bytes.first(size));
            if (result.picture) {
                EXPECT_LE(result.picture->width, kMaxPictureWidth);
            } else {
                EXPECT_FALSE(result.reason.empty()) << size;
            }
        }
    }
    // A PNG cut anywhere before its end marker is refused: the pixels are not all there.
    EXPECT_FALSE(PngDecoder::DecodeBytes(std::span(png).first(png.size() - 12)).picture);
}

TEST(PictureFormats, HugeHeadersAreRefusedBySizeBeforeAnyPixel) {
    // A PNG header announcing 100000 x 1 pixels, and nothing after it.
    std::vector<std::uint8_t> png = *EncodeRgbPng(1, 1, std::array<std::uint8_t, 3>{});
    png[16] = 0;
    png[17] = 0x01;
    png[18] = 0x86;
    png[19] = 0xA0;
    png.resize(33);
    // The CRC no longer fits the header, which libpng only warns about for ancillary chunks:
    // without a matching one it is refused as broken instead.
    const DecodeResult pngResult = PngDecoder::DecodeBytes(png);
    EXPECT_FALSE(pngResult.picture);
    std::vector<std::uint8_t> gif = TinyGif();
    gif[6] = 0xFF;  // screen 65535 wide
    gif[7] = 0xFF;
    EXPECT_EQ(GifDecoder::DecodeBytes(gif).reason, messages::TooWide(65535, kMaxPictureWidth));
    gif = TinyGif();
    gif[26] = 0xE9;  // the picture itself 1001 tall, on a screen 1 tall
    gif[27] = 0x03;
    EXPECT_EQ(GifDecoder::DecodeBytes(gif).reason, messages::TooTall(1001, kMaxPictureHeight));
}

TEST(PictureFormats, SignaturesAreRecognizedExactly) {
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const std::vector<std::uint8_t> gif87 = {'G', 'I', 'F', '8', '7', 'a'};
    const std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF};
    EXPECT_TRUE(PngDecoder().Recognizes(png));
    EXPECT_FALSE(PngDecoder().Recognizes(std::span(png).first(7)));
    EXPECT_TRUE(GifDecoder().Recognizes(gif87));
    EXPECT_TRUE(GifDecoder().Recognizes(TinyGif()));
    EXPECT_FALSE(GifDecoder().Recognizes(std::vector<std::uint8_t>{'G', 'I', 'F', '8', '8', 'a'}));
    EXPECT_TRUE(JpegDecoder().Recognizes(jpeg));
    EXPECT_FALSE(JpegDecoder().Recognizes(std::span(jpeg).first(2)));
}

}  // namespace
}  // namespace orvandel
