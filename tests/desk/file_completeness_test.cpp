#include "desk/file_completeness.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes Cut(Bytes bytes, std::size_t keep) {
    bytes.resize(keep);
    return bytes;
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A real PNG's frame: signature, then the end chunk alone (enough for the judge).
Bytes PngEnd() {
    Bytes bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (int i = 0; i < 17; ++i) {
        bytes.push_back(0);
    }
    const Bytes end = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    bytes.insert(bytes.end(), end.begin(), end.end());
    return bytes;
}

TEST(FileCompleteness, EachFormatIsWholeOnlyWhenItsOwnEndIsThere) {
    const Bytes bmp = testing::MakeBmp(20, 10, 24, std::vector<Colour>(200, 0x123456));
    const Bytes palette = testing::MakeRiffPalette(std::vector<Colour>(16, 0x010203));
    const Bytes png = PngEnd();
    struct Case {
        const char* name;
        Bytes bytes;
        FileCompleteness expected;
    };
    const Case cases[] = {
        {"whole.bmp", bmp, FileCompleteness::Complete},
        {"half.bmp", Cut(bmp, bmp.size() / 2), FileCompleteness::Incomplete},
        {"header only.bmp", Cut(bmp, 4), FileCompleteness::Incomplete},
        {"one byte short.bmp", Cut(bmp, bmp.size() - 1), FileCompleteness::Incomplete},
        {"wallpalette.pal", palette, FileCompleteness::Complete},
        {"half.pal", Cut(palette, 30), FileCompleteness::Incomplete},
        {"whole.png", png, FileCompleteness::Complete},
        {"no end.png", Cut(png, png.size() - 1), FileCompleteness::Incomplete},
        {"emptied by a rewrite.bmp", {}, FileCompleteness::Incomplete},
        {"set.Pelorim", Text("[BMP]\n0084=a.bmp\n"), FileCompleteness::Complete},
        {"cut set.Pelorim", Text("[BMP]\n0084=a.b"), FileCompleteness::Unknown},
        {"whole.gif", Text("GIF89a...;"), FileCompleteness::Complete},
        {"half.gif", Text("GIF89a..."), FileCompleteness::Incomplete},
        {"whole.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0xFF, 0xD9}, FileCompleteness::Complete},
        {"half.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 0}, FileCompleteness::Incomplete},
    };
    testing::TempFolder folder;
    for (const Case& c : cases) {
        testing::WriteFileBytes(folder / c.name, c.bytes);
        EXPECT_EQ(JudgeCompleteness(folder / c.name), c.expected) << c.name;
    }
    EXPECT_EQ(JudgeCompleteness(folder / "absent.bmp"), FileCompleteness::Missing);
}

TEST(FileCompleteness, AStampChangesWithTheFileAndTellsAMissingOne) {
    testing::TempFolder folder;
    const auto file = folder / "a.txt";
    EXPECT_FALSE(StampOf(file).exists);
    testing::WriteFileText(file, "one\n");
    const FileStamp first = StampOf(file);
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(first.size, 4u);
    testing::WriteFileText(file, "one two\n");
    EXPECT_NE(StampOf(file), first);
    EXPECT_EQ(StampsOf({file, folder / "b"}).size(), 2u);
}

}  // namespace
}  // namespace orvandel
