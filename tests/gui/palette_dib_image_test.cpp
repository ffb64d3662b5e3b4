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
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

using testing::TempFolder;

QString QtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
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
