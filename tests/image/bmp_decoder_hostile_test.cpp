#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/image/bmp_decoder.h"
#include "image/bmp_decoder_builder.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

using testing::BmpCompression;
using testing::BmpRecipe;
using testing::BuildBmp;
using testing::BuildRleBmp;
using testing::Put16;
using testing::Put32;
using Bytes = std::vector<std::uint8_t>;

// Whatever a file held, a decoded picture keeps its promises.
void ExpectWellFormed(const DecodeResult& result) {
    if (!result.picture) {
        EXPECT_FALSE(result.reason.empty());
        return;
    }
    const DecodedPicture& picture = *result.picture;
    ASSERT_GT(picture.width, 0);
    ASSERT_GT(picture.height, 0);
    const auto count =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (!picture.IsIndexed()) {
        EXPECT_EQ(picture.pixels.size(), count);
        return;
    }
    ASSERT_EQ(picture.indices.size(), count);
    for (const std::uint8_t index : picture.indices) {
        ASSERT_LT(index, picture.colourTable.size());
    }
}

BmpRecipe Picture(int infoSize, int bpp, BmpCompression compression, bool topDown = false) {
    BmpRecipe recipe;
    recipe.infoSize = infoSize;
    recipe.width = 5;
    recipe.height = 4;
    recipe.topDown = topDown;
    recipe.bitsPerPixel = bpp;
    recipe.compression = compression;
    const auto pixels = static_cast<std::size_t>(recipe.width * recipe.height);
    for (std::size_t i = 0; i < pixels; ++i) {
        if (bpp == 24) {
            recipe.pixels.push_back(MakeColour(static_cast<std::uint8_t>(i), 2, 3));
        } else {
            recipe.indices.push_back(static_cast<std::uint8_t>((i / 3) % (1U << bpp)));
        }
    }
    if (bpp <= 8) {
        for (std::size_t i = 0; i < (std::size_t{1} << bpp); ++i) {
            recipe.table.push_back(MakeColour(static_cast<std::uint8_t>(i), 7, 9));
        }
    }
    return recipe;
}

std::vector<BmpRecipe> SampleFiles() {
    return {
        Picture(12, 8, BmpCompression::kNone),        Picture(16, 4, BmpCompression::kNone),
        Picture(40, 1, BmpCompression::kNone),        Picture(40, 24, BmpCompression::kNone, true),
        Picture(52, 8, BmpCompression::kRle),         Picture(64, 4, BmpCompression::kRle),
        Picture(108, 8, BmpCompression::kNone, true), Picture(124, 4, BmpCompression::kRle)};
}

Bytes EightBitFile() {
    return BuildBmp(Picture(40, 8, BmpCompression::kNone));
}

std::string ReasonFor(const Bytes& file) {
    return BmpDecoder::DecodeBytes(file).reason;
}

TEST(BmpHostileTest, EveryTruncationIsRefusedOrDecodedSafely) {
    for (const BmpRecipe& recipe : SampleFiles()) {
        const Bytes file = BuildBmp(recipe);
        const std::uint32_t pixelOffset = static_cast<std::uint32_t>(file[10] | file[11] << 8);
        for (std::size_t size = 0; size < file.size(); ++size) {
            SCOPED_TRACE("header " + std::to_string(recipe.infoSize) + ", " +
                         std::to_string(recipe.bitsPerPixel) + " bit, cut at " +
                         std::to_string(size));
            const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
            const DecodeResult result = BmpDecoder::DecodeBytes(cut);
            ExpectWellFormed(result);
            if (size <= pixelOffset || recipe.compression == BmpCompression::kRle) {
                EXPECT_FALSE(result.picture);
            }
        }
    }
}

TEST(BmpHostileTest, TruncatedFilesSayWhereTheyEnd) {
    // 5 x 4 at 8 bits: rows of 8 bytes after 1078 bytes, the last row 5 bytes without padding.
    const Bytes file = EightBitFile();
    EXPECT_EQ(ReasonFor(Bytes(file.begin(), file.begin() + 1090)),
              "truncated at byte 1090 (the pixels end at byte 1107)");
    EXPECT_EQ(ReasonFor(Bytes(file.begin(), file.begin() + 30)),
              "truncated at byte 30 in the header");
    EXPECT_EQ(ReasonFor({}), "empty file");
    EXPECT_EQ(ReasonFor({'B'}), "not a BMP file");
    // The last row's padding may be missing.
    EXPECT_TRUE(BmpDecoder::DecodeBytes(Bytes(file.begin(), file.end() - 3)).picture);
}

struct FieldLie {
    const char* what;
    std::size_t at;
    int width;  // 2 or 4 bytes
    std::uint32_t value;
    const char* reason;  // empty: decodes safely
};

constexpr FieldLie kLies[] = {
    {"header size 0", 14, 4, 0, "unsupported header size 0"},
    {"header size 39", 14, 4, 39, "unsupported header size 39"},
    {"header size 66", 14, 4, 66, "unsupported header size 66"},
    {"header size huge", 14, 4, 0xFFFFFFFF, "unsupported header size 4294967295"},
    {"width 0", 18, 4, 0, "bad width 0"},
    {"width -1", 18, 4, 0xFFFFFFFF, "bad width -1"},
    {"width INT_MIN", 18, 4, 0x80000000, "bad width -2147483648"},
    {"width INT_MAX", 18, 4, 0x7FFFFFFF, "too wide: 2147483647 > 320; crop or scale it down"},
    {"height 0", 22, 4, 0, "bad height 0"},
    {"height INT_MIN", 22, 4, 0x80000000, "bad height -2147483648"},
    {"height INT_MAX", 22, 4, 0x7FFFFFFF, "too tall: 2147483647 > 1000; crop or scale it down"},
    {"height -INT_MAX", 22, 4, 0x80000001, "too tall: 2147483647 > 1000; crop or scale it down"},
    {"planes 0", 26, 2, 0, "bad plane count 0 (must be 1)"},
    {"planes 2", 26, 2, 2, "bad plane count 2 (must be 1)"},
    {"depth 0", 28, 2, 0, "0 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"depth 2", 28, 2, 2, "2 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"depth 16", 28, 2, 16, "16 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"depth 32", 28, 2, 32, "32 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"depth 65535", 28, 2, 65535, "65535 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"RLE4 at 8 bits", 30, 4, 2, "RLE4 compression needs 4 bits per pixel, not 8"},
    {"bit fields", 30, 4, 3, "unsupported compression 3 (bit fields): save it uncompressed"},
    {"JPEG", 30, 4, 4, "unsupported compression 4 (embedded JPEG): save it uncompressed"},
    {"unknown compression", 30, 4, 99,
     "unsupported compression 99 (unknown): save it uncompressed"},
    {"pixel offset 0", 10, 4, 0, "pixel offset 0 lies inside the header"},
    {"pixel offset 53", 10, 4, 53, "pixel offset 53 lies inside the header"},
    {"pixel offset at the end", 10, 4, 1110,
     "pixel offset 1110 is past the end of the file (1110 bytes)"},
    {"pixel offset huge", 10, 4, 0xFFFFFFFF,
     "pixel offset 4294967295 is past the end of the file (1110 bytes)"},
    {"no room for a table", 10, 4, 54, "no colour table before the pixels"},
    {"room for one entry", 10, 4, 58, ""},
    {"colours used huge", 46, 4, 0xFFFFFFFF, ""},
    {"image size huge", 34, 4, 0xFFFFFFFF, ""},
    {"file size huge", 2, 4, 0xFFFFFFFF, ""},
};

TEST(BmpHostileTest, LyingHeaderFieldsAreRefusedBeforeThePixels) {
    for (const FieldLie& lie : kLies) {
        SCOPED_TRACE(lie.what);
        Bytes file = EightBitFile();
        ASSERT_EQ(file.size(), 1110U);
        if (lie.width == 2) {
            Put16(file, lie.at, lie.value);
        } else {
            Put32(file, lie.at, lie.value);
        }
        const DecodeResult result = BmpDecoder::DecodeBytes(file);
        ExpectWellFormed(result);
        if (*lie.reason != '\0') {
            EXPECT_EQ(result.reason, lie.reason);
        } else {
            EXPECT_TRUE(result.picture) << result.reason;
        }
    }
}

TEST(BmpHostileTest, TopDownRunLengthPicturesAreRefused) {
    BmpRecipe recipe = Picture(40, 8, BmpCompression::kRle);
    Bytes file = BuildBmp(recipe);
    Put32(file, 22, static_cast<std::uint32_t>(-recipe.height));
    EXPECT_EQ(ReasonFor(file), "RLE8 pictures cannot be stored top-down (negative height)");
}

TEST(BmpHostileTest, ShortOs2TablesEndWhereThePixelsBegin) {
    BmpRecipe recipe = Picture(12, 8, BmpCompression::kNone);
    recipe.table.resize(3);
    for (auto& index : recipe.indices) {
        index = static_cast<std::uint8_t>(index % 3);
    }
    const auto result = BmpDecoder::DecodeBytes(BuildBmp(recipe));
    ASSERT_TRUE(result.picture) << result.reason;
    EXPECT_EQ(result.picture->indices, recipe.indices);
    EXPECT_EQ(result.picture->colourTable[2], recipe.table[2]);
    EXPECT_EQ(result.picture->colourTable[3], Colour{0});
}

// RLE streams on a 4 x 3 picture; `expected` is top row first.
struct RleCase {
    const char* what;
    int bitsPerPixel;
    Bytes stream;
    Bytes expected;  // empty: refused with `reason`
    const char* reason;
};

std::vector<RleCase> RleCases() {
    return {
        {"delta skips pixels, which keep index 0",
         8,
         {2, 5, 0, 2, 1, 1, 1, 6, 0, 1},
         {0, 0, 0, 0, 0, 0, 0, 6, 5, 5, 0, 0},
         ""},
        {"a run past the row end is clipped",
         8,
         {10, 7, 0, 0, 1, 3, 0, 1},
         {0, 0, 0, 0, 3, 0, 0, 0, 7, 7, 7, 7},
         ""},
        {"an absolute run past the row end is clipped",
         8,
         {0, 6, 1, 2, 3, 4, 5, 6, 0, 1},
         {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4},
         ""},
        {"a delta past the right edge drops what follows on that row",
         8,
         {0, 2, 200, 0, 3, 5, 0, 0, 1, 9, 0, 1},
         {0, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0},
         ""},
        {"a delta past the top ends the picture",
         8,
         {1, 4, 0, 2, 0, 200, 3, 5},
         {0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0},
         ""},
        {"ends of line past the top end the picture",
         8,
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 4},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         ""},
        {"RLE4 runs alternate their two nibbles",
         4,
         {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1},
         {0, 0, 0, 0, 3, 4, 5, 0, 1, 2, 1, 2},
         ""},
        {"a stream without an end mark",
         8,
         {2, 5, 0, 0},
         {},
         "truncated at byte 1082 in the RLE data"},
        {"an absolute run cut short",
         8,
         {0, 200, 1, 2},
         {},
         "truncated at byte 1082 in the RLE data"},
        {"a delta cut short", 8, {0, 2, 1}, {}, "truncated at byte 1081 in the RLE data"},
        {"an RLE4 absolute run cut short",
         4,
         {0, 5, 0x12, 0x34},
         {},
         "truncated at byte 122 in the RLE data"},
    };
}

TEST(BmpHostileTest, RunLengthStreamsThatOverrunAreClippedOrRefused) {
    for (const RleCase& c : RleCases()) {
        SCOPED_TRACE(c.what);
        std::vector<Colour> table(std::size_t{1} << c.bitsPerPixel, MakeColour(1, 1, 1));
        const DecodeResult result =
            BmpDecoder::DecodeBytes(BuildRleBmp(4, 3, c.bitsPerPixel, table, c.stream));
        ExpectWellFormed(result);
        if (c.expected.empty()) {
            EXPECT_EQ(result.reason, c.reason);
            continue;
        }
        ASSERT_TRUE(result.picture) << result.reason;
        EXPECT_EQ(result.picture->indices, c.expected);
    }
}

// A stream that never moves (empty deltas) stops at what a picture of this size can need,
// rather than reading the whole file.
TEST(BmpHostileTest, EndlessRunLengthStreamsStopAtTheirBound) {
    Bytes stream;
    for (int i = 0; i < 1'000'000; ++i) {
        stream.insert(stream.end(), {0, 2, 0, 0});
    }
    std::vector<Colour> table(256, 0);
    const auto result =
        BmpDecoder::DecodeBytes(BuildRleBmp(kMaxPictureWidth, kMaxPictureHeight, 8, table, stream));
    EXPECT_EQ(result.reason, "RLE data longer than 1285024 bytes without an end-of-bitmap mark");
}

class BmpHugeFileTest : public ::testing::Test {
protected:
    // A file of `size` bytes beginning with `head`; sparse where the file system allows.
    bool MakeFile(const Bytes& head, std::uintmax_t size, std::uintmax_t tailAt = 0,
                  const Bytes& tail = {}) {
        testing::WriteFileBytes(m_path, {head.begin(), head.end()});
        std::error_code ec;
        std::filesystem::resize_file(m_path, size, ec);
        if (ec) {
            return false;
        }
        if (!tail.empty()) {
            std::fstream file(m_path, std::ios::in | std::ios::out | std::ios::binary);
            file.seekp(static_cast<std::streamoff>(tailAt));
            file.write(reinterpret_cast<const char*>(tail.data()),
                       static_cast<std::streamsize>(tail.size()));
            if (!file) {
                return false;
            }
        }
        return true;
    }

    testing::TempFolder m_folder;
    std::filesystem::path m_path = m_folder / "huge.bmp";
};

TEST_F(BmpHugeFileTest, AHugeFileWithAnOversizedHeaderIsRefusedAfterItsHeader) {
    Bytes head = EightBitFile();
    Put32(head, 18, 100000);
    if (!MakeFile(head, std::uintmax_t{2} << 30)) {
        GTEST_SKIP() << "no room for a 2 GiB sparse file";
    }
    EXPECT_EQ(BmpDecoder().Decode(m_path).reason, "too wide: 100000 > 320; crop or scale it down");
}

TEST_F(BmpHugeFileTest, PixelsFarIntoAHugeFileAreReadAlone) {
    BmpRecipe recipe = Picture(40, 8, BmpCompression::kNone);
    const Bytes small = BuildBmp(recipe);
    const Bytes head(small.begin(), small.begin() + 1078);
    const Bytes pixels(small.begin() + 1078, small.end());
    Bytes header = head;
    const std::uint32_t offset = 0xF0000000;
    Put32(header, 10, offset);
    if (!MakeFile(header, std::uintmax_t{offset} + pixels.size() + (std::uintmax_t{1} << 28),
                  offset, pixels)) {
        GTEST_SKIP() << "no room for a 4 GiB sparse file";
    }
    const DecodeResult result = BmpDecoder().Decode(m_path);
    ASSERT_TRUE(result.picture) << result.reason;
    EXPECT_EQ(result.picture->indices, recipe.indices);
}

TEST(BmpFileTest, FileAndMemoryDecodingAgreeOnEveryTruncation) {
    testing::TempFolder folder;
    const Bytes file = BuildBmp(Picture(40, 4, BmpCompression::kRle));
    for (std::size_t size = 0; size <= file.size(); ++size) {
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
        const auto path = folder / "cut.bmp";
        testing::WriteFileBytes(path, {cut.begin(), cut.end()});
        const DecodeResult fromFile = BmpDecoder().Decode(path);
        const DecodeResult fromMemory = BmpDecoder::DecodeBytes(cut);
        EXPECT_EQ(fromFile.reason, fromMemory.reason) << "cut at " << size;
        EXPECT_EQ(fromFile.picture.has_value(), fromMemory.picture.has_value());
    }
    EXPECT_EQ(BmpDecoder().Decode(folder / "absent.bmp").reason, "missing file");
}

}  // namespace
}  // namespace orvandel
