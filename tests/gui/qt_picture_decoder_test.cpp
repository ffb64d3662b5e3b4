#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <vector>

#include "core/image/colour_table.h"
#include "core/image/palette_dib.h"
#include "core/view/viewport_size.h"
#include "qtimage/palette_dib_image.h"
#include "qtimage/qt_picture_decoder.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

using testing::TempFolder;

QString QtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

std::filesystem::path Save(const QImage& image, const TempFolder& folder, const std::string& name,
                           const char* format) {
    const std::filesystem::path path = folder / name;
    EXPECT_TRUE(image.save(QtPath(path), format));
    return path;
}

QImage IndexedImage(int width, int height, const QList<QRgb>& table) {
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, static_cast<uint>((x + 2 * y) % table.size()));
        }
    }
    return image;
}

QList<QRgb> Greys(int count) {
    QList<QRgb> table;
    for (int i = 0; i < count; ++i) {
        table.push_back(qRgb(i * 10, 255 - i * 10, i * 3));
    }
    return table;
}

TEST(QtPictureDecoderTest, IndexedPngKeepsItsTableAndIndices) {
    TempFolder folder;
    const QImage source = IndexedImage(13, 7, Greys(16));
    const auto result = QtPictureDecoder().Decode(Save(source, folder, "sixteen.png", "PNG"));
    ASSERT_TRUE(result.picture) << result.reason;
    const DecodedPicture& picture = *result.picture;
    EXPECT_EQ(picture.width, 13);
    EXPECT_EQ(picture.height, 7);
    EXPECT_TRUE(picture.IsIndexed());
    EXPECT_EQ(picture.bitsPerPixel, 8);
    ASSERT_GE(picture.colourTable.size(), 16u);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 13; ++x) {
            const QRgb expected = source.pixel(x, y);
            EXPECT_EQ(picture.ColourAt(x, y),
                      MakeColour(static_cast<std::uint8_t>(qRed(expected)),
                                 static_cast<std::uint8_t>(qGreen(expected)),
                                 static_cast<std::uint8_t>(qBlue(expected))));
        }
    }

    QImage twoColours(9, 3, QImage::Format_Mono);
    twoColours.setColorTable(Greys(2));
    twoColours.fill(0);
    twoColours.setPixel(1, 0, 1);
    const auto mono = QtPictureDecoder().Decode(Save(twoColours, folder, "two.png", "PNG"));
    ASSERT_TRUE(mono.picture) << mono.reason;
    EXPECT_EQ(mono.picture->bitsPerPixel, 1);
    EXPECT_EQ(mono.picture->ColourAt(1, 0), MakeColour(10, 245, 3));
}

TEST(QtPictureDecoderTest, OpaqueColourPicturesArriveAsTwentyFourBit) {
    TempFolder folder;
    QImage rgb(5, 4, QImage::Format_RGB32);
    QImage opaqueArgb(5, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            rgb.setPixel(x, y, qRgb(x * 50, y * 60, 7));
            opaqueArgb.setPixel(x, y, qRgba(x * 50, y * 60, 7, 255));
        }
    }
    for (const auto& path :
         {Save(rgb, folder, "rgb.png", "PNG"), Save(opaqueArgb, folder, "argb.png", "PNG")}) {
        const auto result = QtPictureDecoder().Decode(path);
        ASSERT_TRUE(result.picture) << result.reason;
        EXPECT_EQ(result.picture->bitsPerPixel, 24);
        EXPECT_FALSE(result.picture->IsIndexed());
        EXPECT_EQ(result.picture->ColourAt(4, 3), MakeColour(200, 180, 7));
    }

    QImage flat(16, 16, QImage::Format_RGB32);
    flat.fill(qRgb(200, 100, 50));
    const auto jpeg = QtPictureDecoder().Decode(Save(flat, folder, "flat.jpg", "JPEG"));
    ASSERT_TRUE(jpeg.picture) << jpeg.reason;
    EXPECT_EQ(jpeg.picture->bitsPerPixel, 24);
    EXPECT_NEAR(RedOf(jpeg.picture->ColourAt(8, 8)), 200, 4);
}

TEST(QtPictureDecoderTest, RefusesIconsAndCursorsAsNotPictures) {
    TempFolder folder;
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(qRgb(200, 100, 50));
    for (const char* name : {"wall.ico", "wall.cur"}) {
        const auto result = QtPictureDecoder().Decode(Save(icon, folder, name, "ICO"));
        EXPECT_FALSE(result.picture) << name;
        EXPECT_EQ(result.reason, "an icon, not a picture") << name;
    }
}

TEST(QtPictureDecoderTest, RefusesPicturesThatUseTransparency) {
    TempFolder folder;
    QImage argb(4, 4, QImage::Format_ARGB32);
    argb.fill(qRgba(10, 20, 30, 255));
    argb.setPixel(2, 3, qRgba(10, 20, 30, 254));
    const auto partly = QtPictureDecoder().Decode(Save(argb, folder, "alpha.png", "PNG"));
    EXPECT_FALSE(partly.picture);
    EXPECT_NE(partly.reason.find("transparent"), std::string::npos) << partly.reason;

    // An indexed picture may carry a transparent entry as long as no pixel uses it.
    QList<QRgb> table = Greys(4);
    table.push_back(qRgba(0, 0, 0, 0));
    QImage indexed = IndexedImage(6, 6, Greys(4));
    indexed.setColorTable(table);
    const auto unused = QtPictureDecoder().Decode(Save(indexed, folder, "unused.png", "PNG"));
    EXPECT_TRUE(unused.picture) << unused.reason;
    indexed.setPixel(5, 5, 4);
    const auto used = QtPictureDecoder().Decode(Save(indexed, folder, "used.png", "PNG"));
    EXPECT_FALSE(used.picture);
}

std::uint32_t Crc32(const std::vector<unsigned char>& bytes, std::size_t from) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBigEndian(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<unsigned char>((value >> shift) & 0xFF));
    }
}

void AddChunk(std::vector<unsigned char>& png, const char* type,
              const std::vector<unsigned char>& data) {
    PutBigEndian(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBigEndian(png, Crc32(png, typeAt));
}

std::vector<unsigned char> PngStart(std::uint32_t width, std::uint32_t height, unsigned char depth,
                                    unsigned char colourType) {
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    header.insert(header.end(), {depth, colourType, 0, 0, 0});
    AddChunk(png, "IHDR", header);
    return png;
}

// A complete 4-bit palette PNG, its rows stored uncompressed: Qt only ever writes 8-bit ones.
std::vector<unsigned char> FourBitPng(int width, int height, const std::vector<Colour>& palette,
                                      const std::vector<unsigned char>& indices) {
    std::vector<unsigned char> png =
        PngStart(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 4, 3);
    std::vector<unsigned char> colours;
    for (const Colour c : palette) {
        // Not insert() of a braced list: GCC 12 at -O3 takes that for an overflow.
        colours.push_back(RedOf(c));
        colours.push_back(GreenOf(c));
        colours.push_back(BlueOf(c));
    }
    AddChunk(png, "PLTE", colours);

    std::vector<unsigned char> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width; x += 2) {
            const auto at = static_cast<std::size_t>(y * width + x);
            const unsigned char low = x + 1 < width ? indices[at + 1] : 0;
            raw.push_back(static_cast<unsigned char>((indices[at] << 4) | low));
        }
    }
    std::vector<unsigned char> zlib = {0x78, 0x01, 0x01};  // one final stored block
    const auto length = static_cast<std::uint16_t>(raw.size());
    zlib.insert(zlib.end(),
                {static_cast<unsigned char>(length & 0xFF), static_cast<unsigned char>(length >> 8),
                 static_cast<unsigned char>(~length & 0xFF),
                 static_cast<unsigned char>((~length >> 8) & 0xFF)});
    zlib.insert(zlib.end(), raw.begin(), raw.end());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(zlib, (b << 16) | a);
    AddChunk(png, "IDAT", zlib);
    AddChunk(png, "IEND", {});
    return png;
}

TEST(QtPictureDecoderTest, FourBitPngReportsItsOwnDepth) {
    TempFolder folder;
    const std::vector<Colour> palette = {MakeColour(0, 0, 0), MakeColour(200, 10, 20),
                                         MakeColour(5, 250, 9)};
    const std::vector<unsigned char> indices = {0, 1, 2, 1, 2, 0, 2, 2, 1, 0};
    testing::WriteFileBytes(folder / "four.png", FourBitPng(5, 2, palette, indices));
    const auto result = QtPictureDecoder().Decode(folder / "four.png");
    ASSERT_TRUE(result.picture) << result.reason;
    EXPECT_EQ(result.picture->bitsPerPixel, 4);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(result.picture->ColourAt(i % 5, i / 5),
                  palette[indices[static_cast<std::size_t>(i)]]);
    }
}

// A header announcing the given size, followed by pixel data that cannot be inflated: decoding
// such a file fails, so a size refusal proves the size was checked first.
std::vector<unsigned char> PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
    std::vector<unsigned char> png = PngStart(width, height, 8, 2);
    AddChunk(png, "IDAT", {0xDE, 0xAD, 0xBE, 0xEF});
    AddChunk(png, "IEND", {});
    return png;
}

TEST(QtPictureDecoderTest, RefusesOversizedPicturesBeforeDecodingThem) {
    TempFolder folder;
    testing::WriteFileBytes(folder / "wide.png", PngHeaderOnly(5000, 10));
    const auto wide = QtPictureDecoder().Decode(folder / "wide.png");
    EXPECT_FALSE(wide.picture);
    EXPECT_NE(wide.reason.find("too wide: 5000 > 320"), std::string::npos) << wide.reason;

    testing::WriteFileBytes(folder / "tall.png", PngHeaderOnly(320, 1001));
    const auto tall = QtPictureDecoder().Decode(folder / "tall.png");
    EXPECT_NE(tall.reason.find("too tall: 1001 > 1000"), std::string::npos) << tall.reason;

    // The largest allowed picture still loads.
    QImage largest(320, 1000, QImage::Format_RGB32);
    largest.fill(qRgb(1, 2, 3));
    EXPECT_TRUE(QtPictureDecoder().Decode(Save(largest, folder, "largest.png", "PNG")).picture);

    testing::WriteFileText(folder / "notes.png", "not a picture at all");
    const auto junk = QtPictureDecoder().Decode(folder / "notes.png");
    EXPECT_FALSE(junk.picture);
    EXPECT_FALSE(junk.reason.empty());
}

TEST(QtPictureDecoderTest, RecognizesQtFormatsButLeavesBmpToTheCore) {
    const QtPictureDecoder decoder;
    auto recognizes = [&](std::vector<unsigned char> head) {
        head.resize(64, 0);
        return decoder.Recognizes(head);
    };
    EXPECT_TRUE(recognizes(PngHeaderOnly(10, 10)));
    EXPECT_TRUE(recognizes({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0}));
    EXPECT_TRUE(recognizes({0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0}));
    EXPECT_FALSE(recognizes(testing::MakeBmp(2, 2, 24, {0, 0, 0, 0})));
    EXPECT_FALSE(recognizes({'h', 'e', 'l', 'l', 'o', ' ', 'w', 'a', 'l', 'l', 's'}));
}

TEST(PaletteDibImageTest, ConvertsBottomUpRowsAndWritesAnIndexedPng) {
    CPaletteDib dib;
    const ColourTable256 table = BuildColourTable(testing::TestPalette());
    ASSERT_TRUE(dib.Create(kViewportWidth, kViewportHeight, 8, table, 256));
    // Row y of the picture is stored (135 - y) rows from the start.
    for (int y = 0; y < kViewportHeight; ++y) {
        for (int x = 0; x < kViewportWidth; ++x) {
            dib.GetBits()[static_cast<std::size_t>((kViewportHeight - 1 - y) * kViewportWidth +
                                                   x)] =
                static_cast<std::uint8_t>((x / 14 + y) % 16);
        }
    }
    const QImage image = PaletteDibToImage(dib);
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    ASSERT_EQ(image.size(), QSize(224, 136));
    EXPECT_EQ(image.pixelIndex(0, 0), 0);
    EXPECT_EQ(image.pixelIndex(223, 0), 15);
    EXPECT_EQ(image.pixelIndex(0, 135), 135 % 16);
    EXPECT_EQ(image.color(5), qRgb(table[5].red, table[5].green, table[5].blue));

    TempFolder folder;
    ASSERT_TRUE(WritePaletteDibPng(dib, folder / "view.png").ok());
    QImageReader reader(QtPath(folder / "view.png"));
    EXPECT_EQ(reader.format(), "png");
    const QImage back = reader.read();
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.format(), QImage::Format_Indexed8);
    for (int y = 0; y < 136; y += 5) {
        for (int x = 0; x < 224; x += 3) {
            ASSERT_EQ(back.pixel(x, y), image.pixel(x, y)) << x << "," << y;
        }
    }

    EXPECT_FALSE(WritePaletteDibPng(dib, folder / "missing-folder" / "view.png").ok());
    EXPECT_FALSE(WritePaletteDibPng(CPaletteDib(), folder / "empty.png").ok());
}

}  // namespace
}  // namespace orvandel
