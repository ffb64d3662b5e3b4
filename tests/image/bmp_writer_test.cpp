#include <gtest/gtest.h>

#include <vector>

#include "core/image/colour_table.h"
#include "core/image/palette_dib.h"
#include "core/view/viewport_size.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Le32(const Bytes& bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8) |
           (std::uint32_t{bytes[at + 2]} << 16) | (std::uint32_t{bytes[at + 3]} << 24);
}

// A viewport coloured by the test palette, each pixel holding (x + 3y) mod 256.
CPaletteDib& MakeViewport(CPaletteDib& dib) {
    const ColourTable256 table = BuildColourTable(testing::TestPalette());
    EXPECT_TRUE(dib.Create(kViewportWidth, kViewportHeight, 8, table, 256));
    for (int y = 0; y < kViewportHeight; ++y) {
        for (int x = 0; x < kViewportWidth; ++x) {
            dib.GetBits()[(kViewportHeight - 1 - y) * kViewportWidth + x] =
                static_cast<std::uint8_t>((x + 3 * y) & 0xFF);
        }
    }
    return dib;
}

TEST(BmpEncoding, ViewportHeadersMatchTheGoldenBytes) {
    CPaletteDib dib;
    const Bytes bytes = MakeViewport(dib).EncodeBmp();
    ASSERT_EQ(bytes.size(), 31542u);
    const Bytes golden = {
        'B',  'M',  0x36, 0x7B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x04, 0x00, 0x00,  //
        0x28, 0x00, 0x00, 0x00, 0xE0, 0x00, 0x00, 0x00, 0x88, 0x00, 0x00, 0x00,  // size, w, h
        0x01, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x77, 0x00, 0x00,  // planes .. image
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                          // resolutions
        0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00,                          // used, important
    };
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 54), golden);
}

TEST(BmpEncoding, ViewportTableAndRowsSitWhereReadersLookForThem) {
    CPaletteDib dib;
    const Bytes bytes = MakeViewport(dib).EncodeBmp();
    ASSERT_EQ(bytes.size(), 31542u);
    const Palette16 palette = testing::TestPalette();
    for (int i = 0; i < 256; ++i) {
        const auto at = 54 + 4 * static_cast<std::size_t>(i);
        const Colour c = i < 16 ? palette[i] : 0;
        EXPECT_EQ(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                        bytes.begin() + static_cast<std::ptrdiff_t>(at + 4)),
                  (Bytes{BlueOf(c), GreenOf(c), RedOf(c), 0}))
            << "entry " << i;
    }
    EXPECT_EQ(bytes[1078 + 135 * 224], 0);                 // top-left
    EXPECT_EQ(bytes[1078 + 135 * 224 + 5], 5);             // (5, 0)
    EXPECT_EQ(bytes[1078], (3 * 135) & 0xFF);              // bottom-left
    EXPECT_EQ(bytes[1078 + 223], (223 + 3 * 135) & 0xFF);  // bottom-right
}

TEST(BmpEncoding, TrueColourHasNoTableAndPaddedRows) {
    CPaletteDib dib;
    ASSERT_TRUE(dib.Create(5, 3, 24, {}, 0));
    dib.GetBits()[0] = 0xAB;
    const Bytes bytes = dib.EncodeBmp();
    ASSERT_EQ(bytes.size(), 54u + 3 * 16);
    EXPECT_EQ(Le32(bytes, 2), 102u);
    EXPECT_EQ(Le32(bytes, 10), 54u);
    EXPECT_EQ(Le32(bytes, 34), 48u);
    EXPECT_EQ(Le32(bytes, 46), 0u);
    EXPECT_EQ(bytes[28], 24);
    EXPECT_EQ(bytes[54], 0xAB);
}

TEST(BmpEncoding, FourBitDefaultTableIsWritten) {
    CPaletteDib dib;
    ASSERT_TRUE(dib.Create(3, 1, 4, {}, 0));
    const Bytes bytes = dib.EncodeBmp();
    ASSERT_EQ(bytes.size(), 54u + 64 + 4);
    EXPECT_EQ(Le32(bytes, 10), 118u);
    EXPECT_EQ(Le32(bytes, 46), 16u);
    EXPECT_EQ(Le32(bytes, 54 + 4 * 9), 0x00FF0000u);  // bright red: blue, green, red, 0
}

TEST(BmpEncoding, NoBitmapGivesNoBytes) {
    EXPECT_TRUE(CPaletteDib().EncodeBmp().empty());
}

TEST(BmpFileWriting, WritesExactlyTheEncodedBytesOverALongerFile) {
    testing::TempFolder folder;
    const auto path = folder / "Wall_D0.bmp";
    testing::WriteFileBytes(path, std::vector<unsigned char>(50000, 0xEE));
    CPaletteDib dib;
    ASSERT_TRUE(MakeViewport(dib).WriteBmpFile(path));
    const auto written = testing::ReadFileBytes(path);
    const Bytes expected = dib.EncodeBmp();
    EXPECT_EQ(Bytes(written.begin(), written.end()), expected);
}

TEST(BmpFileWriting, NothingIsCreatedWithoutABitmap) {
    testing::TempFolder folder;
    EXPECT_FALSE(CPaletteDib().WriteBmpFile(folder / "x.bmp"));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

}  // namespace
}  // namespace orvandel
