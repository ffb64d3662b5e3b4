#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "core/image/bmp_decoder.h"

namespace orvandel {
namespace {

const std::filesystem::path kSuite = ORVANDEL_BMPSUITE_DIR;

struct ReferenceCase {
    const char* file;       // relative to the suite folder
    const char* reference;  // PNG in html/
};

// Files whose pixels must match the reference picture. Pixels an RLE stream skips take colour
// table entry 0, which is what the "-0" references show.
constexpr ReferenceCase kMatching[] = {
    {"g/pal1.bmp", "pal1.png"},
    {"g/pal1bg.bmp", "pal1bg.png"},
    {"g/pal1wb.bmp", "pal1.png"},
    {"g/pal4.bmp", "pal4.png"},
    {"g/pal4gs.bmp", "pal4gs.png"},
    {"g/pal4rle.bmp", "pal4.png"},
    {"g/pal8-0.bmp", "pal8.png"},
    {"g/pal8.bmp", "pal8.png"},
    {"g/pal8gs.bmp", "pal8gs.png"},
    {"g/pal8nonsquare.bmp", "pal8nonsquare-e.png"},
    {"g/pal8os2.bmp", "pal8.png"},
    {"g/pal8rle.bmp", "pal8.png"},
    {"g/pal8topdown.bmp", "pal8.png"},
    {"g/pal8v4.bmp", "pal8.png"},
    {"g/pal8v5.bmp", "pal8.png"},
    {"g/pal8w124.bmp", "pal8w124.png"},
    {"g/pal8w125.bmp", "pal8w125.png"},
    {"g/pal8w126.bmp", "pal8w126.png"},
    {"g/rgb24.bmp", "rgb24.png"},
    {"g/rgb24pal.bmp", "rgb24.png"},
    {"q/pal1p1.bmp", "pal1p1.png"},
    {"q/pal4rletrns.bmp", "pal4rletrns-0.png"},
    {"q/pal8rletrns.bmp", "pal8rletrns-0.png"},
    {"q/pal4rlecut.bmp", "pal4rlecut-0.png"},
    {"q/pal8rlecut.bmp", "pal8rlecut-0.png"},
    {"q/pal8offs.bmp", "pal8.png"},
    {"q/pal8oversizepal.bmp", "pal8.png"},
    {"q/pal8os2-hs.bmp", "pal8.png"},
    {"q/pal8os2-sz.bmp", "pal8.png"},
    {"q/pal8os2sp.bmp", "pal8.png"},
    {"q/pal8os2v2.bmp", "pal8.png"},
    {"q/pal8os2v2-16.bmp", "pal8.png"},
    {"q/pal8os2v2-sz.bmp", "pal8.png"},
    {"q/pal8os2v2-40sz.bmp", "pal8.png"},
    {"q/rgb24largepal.bmp", "rgb24.png"},
    {"q/rgb24prof.bmp", "rgb24.png"},
    {"q/rgb24lprof.bmp", "rgb24.png"},
};

struct RefusalCase {
    const char* file;
    const char* reason;
};

// Files outside what a wall picture may be, and the reason a user is given.
constexpr RefusalCase kRefused[] = {
    {"g/rgb16.bmp", "16 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"g/rgb16-565.bmp", "16 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"g/rgb16-565pal.bmp", "16 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"g/rgb16bfdef.bmp", "16 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"g/rgb32.bmp", "32 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"g/rgb32bf.bmp", "32 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"g/rgb32bfdef.bmp", "32 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"q/pal2.bmp", "2 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"q/pal2color.bmp", "2 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"q/pal1huffmsb.bmp", "unsupported compression 3 (Huffman 1D): save it uncompressed"},
    {"q/rgb24rle24.bmp", "unsupported compression 4 (RLE24): save it uncompressed"},
    {"q/rgb24jpeg.bmp", "unsupported compression 4 (embedded JPEG): save it uncompressed"},
    {"q/rgb24png.bmp", "unsupported compression 5 (embedded PNG): save it uncompressed"},
    {"q/rgba64.bmp", "64 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"b/badbitcount.bmp", "30000 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"b/badheadersize.bmp", "unsupported header size 66"},
    {"b/badplanes.bmp", "bad plane count 30000 (must be 1)"},
    {"b/badwidth.bmp", "bad width -127"},
    {"b/reallybig.bmp", "too wide: 3000000 > 320; crop or scale it down"},
    {"b/rgb16-880.bmp", "16 bits per pixel: save as 8-bit indexed or 24-bit"},
    {"b/rletopdown.bmp", "RLE8 pictures cannot be stored top-down (negative height)"},
    {"b/shortfile.bmp", "truncated at byte 273 (the pixels end at byte 1086)"},
    {"x/ba-bm.bmp", "not a BMP file"},
};

bool SuitePresent() {
    return std::filesystem::is_directory(kSuite / "g");
}

// 0xAARRGGBB from Qt as the core's 0x00BBGGRR.
Colour FromQRgb(QRgb rgb) {
    return MakeColour(static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                      static_cast<std::uint8_t>(qBlue(rgb)));
}

// What any decoded picture must satisfy, whatever the file held.
void ExpectWellFormed(const DecodedPicture& picture, const std::string& file) {
    const auto count =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    EXPECT_GT(picture.width, 0) << file;
    EXPECT_LE(picture.width, kMaxPictureWidth) << file;
    EXPECT_LE(picture.height, kMaxPictureHeight) << file;
    if (!picture.IsIndexed()) {
        EXPECT_EQ(picture.pixels.size(), count) << file;
        return;
    }
    ASSERT_EQ(picture.indices.size(), count) << file;
    for (const std::uint8_t index : picture.indices) {
        ASSERT_LT(index, picture.colourTable.size()) << file;
    }
}

class BmpSuiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!SuitePresent()) {
            GTEST_SKIP() << "BMP suite not found at " << kSuite;
        }
    }
};

TEST_F(BmpSuiteTest, GoodAndHarmlessFilesMatchTheirReferences) {
    for (const auto& c : kMatching) {
        SCOPED_TRACE(c.file);
        const auto result = BmpDecoder().Decode(kSuite / c.file);
        ASSERT_TRUE(result.picture) << result.reason;
        const DecodedPicture& picture = *result.picture;
        ExpectWellFormed(picture, c.file);

        const QImage reference =
            QImage(QString::fromStdString((kSuite / "html" / c.reference).string()))
                .convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(reference.isNull()) << c.reference;
        ASSERT_EQ(picture.width, reference.width());
        ASSERT_EQ(picture.height, reference.height());
        int mismatches = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                if (picture.ColourAt(x, y) != FromQRgb(reference.pixel(x, y)) && mismatches++ < 3) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST_F(BmpSuiteTest, UnsupportedAndBrokenFilesAreRefusedWithAReason) {
    for (const auto& c : kRefused) {
        const auto result = BmpDecoder().Decode(kSuite / c.file);
        EXPECT_FALSE(result.picture) << c.file;
        EXPECT_EQ(result.reason, c.reason) << c.file;
    }
}

// Every file of the suite either decodes to a well-formed picture or is refused with a reason;
// run under the sanitizers this also shows that none is read out of bounds.
TEST_F(BmpSuiteTest, EveryFileDecodesSafelyOrIsRefused) {
    int files = 0;
    for (const char* folder : {"g", "q", "b", "x"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kSuite / folder)) {
            ++files;
            const std::string name = entry.path().filename().string();
            const auto result = BmpDecoder().Decode(entry.path());
            if (result.picture) {
                ExpectWellFormed(*result.picture, name);
            } else {
                EXPECT_FALSE(result.reason.empty()) << name;
            }
        }
    }
    EXPECT_GT(files, 80);
}

// The broken RLE streams try to write past their rows and the picture; the decoder clips them
// and keeps what lies inside.
TEST_F(BmpSuiteTest, HostileRleFilesDecodeClipped) {
    for (const char* file : {"b/badrle.bmp", "b/badrlebis.bmp", "b/badrleter.bmp", "b/badrle4.bmp",
                             "b/badrle4bis.bmp", "b/badrle4ter.bmp"}) {
        const auto result = BmpDecoder().Decode(kSuite / file);
        ASSERT_TRUE(result.picture) << file << ": " << result.reason;
        EXPECT_EQ(result.picture->width, 127) << file;
        EXPECT_EQ(result.picture->height, 64) << file;
    }
}

}  // namespace
}  // namespace orvandel
