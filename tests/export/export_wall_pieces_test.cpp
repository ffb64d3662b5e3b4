#include "core/export/export_wall_pieces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/view/view_cell_table.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using testing::MakeImage;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::TestPalette;
using testing::WriteFileText;

constexpr std::size_t kFileSize = 31542;
constexpr std::size_t kPixelOffset = 1078;

// Every slot big enough for every piece drawn from it, with a pattern that tells columns,
// rows and slots apart and holds some transparent pixels.
WallSet FullWallSet() {
    WallSet wallSet;
    wallSet.palette = TestPalette();
    const int widths[6] = {32, 32, 256, 200, 120, 20};
    const int heights[6] = {136, 136, 111, 71, 51, 49};
    for (int slot = 0; slot < 6; ++slot) {
        wallSet.images[static_cast<std::size_t>(slot)] =
            MakeImage(widths[slot], heights[slot],
                      [slot](int x, int y) { return (x * 7 + y * 3 + slot) % 16; });
    }
    return wallSet;
}

int PixelOf(const std::vector<unsigned char>& file, int x, int y) {
    return file[kPixelOffset + static_cast<std::size_t>((135 - y) * 224 + x)];
}

std::uint32_t Read32(const std::vector<unsigned char>& file, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(file[at + i]) << (8 * i);
    }
    return value;
}

bool AllTransparent(const std::vector<unsigned char>& file) {
    return file.size() == kFileSize && std::all_of(file.begin() + kPixelOffset, file.end(),
                                                   [](unsigned char b) { return b == 10; });
}

TEST(ExportPictureList, TwentyEightNamesInTableOrder) {
    std::vector<std::string> names;
    for (const ExportPicture& picture : ExportPictureList()) {
        names.push_back(picture.fileName);
        EXPECT_EQ(picture.alternate, names.size() % 2 == 0);
        EXPECT_EQ(picture.row, static_cast<int>((names.size() - 1) / 2));
    }
    const std::vector<std::string> expected = {
        "Wall_D3LL.bmp", "Wall_D3LL`.bmp", "Wall_D3RR.bmp", "Wall_D3RR`.bmp", "Wall_D3L.bmp",
        "Wall_D3L`.bmp", "Wall_D3R.bmp",   "Wall_D3R`.bmp", "Wall_D3.bmp",    "Wall_D3`.bmp",
        "Wall_D2L.bmp",  "Wall_D2L`.bmp",  "Wall_D2R.bmp",  "Wall_D2R`.bmp",  "Wall_D2.bmp",
        "Wall_D2`.bmp",  "Wall_D1L.bmp",   "Wall_D1L`.bmp", "Wall_D1R.bmp",   "Wall_D1R`.bmp",
        "Wall_D1.bmp",   "Wall_D1`.bmp",   "Wall_D0L.bmp",  "Wall_D0L`.bmp",  "Wall_D0R.bmp",
        "Wall_D0R`.bmp", "Wall_D0.bmp",    "Wall_D0`.bmp"};
    EXPECT_EQ(names, expected);
}

class ExportTest : public ::testing::Test {
protected:
    ExportReport Export(FileOps& ops = SystemFileOps()) {
        return ExportWallPieces(wallSet, home.path(), ops);
    }
    std::vector<unsigned char> File(const std::string& name) const {
        return ReadFileBytes(home / name);
    }

    TempFolder home;
    WallSet wallSet = FullWallSet();
};

TEST_F(ExportTest, WritesTwentyEightViewportSizedBitmaps) {
    const ExportReport report = Export();
    EXPECT_TRUE(report.bitmapCreated);
    EXPECT_TRUE(report.failed.empty());
    EXPECT_FALSE(report.FailureMessage().has_value());
    ASSERT_EQ(report.written.size(), 28u);
    EXPECT_EQ(std::distance(fs::directory_iterator(home.path()), fs::directory_iterator()), 28);

    for (const std::string& name : report.written) {
        SCOPED_TRACE(name);
        const auto file = File(name);
        ASSERT_EQ(file.size(), kFileSize);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(Read32(file, 10), kPixelOffset);
        EXPECT_EQ(Read32(file, 18), 224u);
        EXPECT_EQ(Read32(file, 22), 136u);
        EXPECT_EQ(file[28], 8);
        EXPECT_EQ(Read32(file, 46), 256u);
        for (int i = 0; i < 256; ++i) {
            const Colour c = i < 16 ? TestPalette()[i] : 0;
            const std::size_t at = 54 + 4 * static_cast<std::size_t>(i);
            ASSERT_EQ(file[at], BlueOf(c)) << "entry " << i;
            ASSERT_EQ(file[at + 1], GreenOf(c)) << "entry " << i;
            ASSERT_EQ(file[at + 2], RedOf(c)) << "entry " << i;
            ASSERT_EQ(file[at + 3], 0) << "entry " << i;
        }
    }
}

TEST_F(ExportTest, EachPictureHoldsOnlyItsPieceOnIndexTen) {
    ASSERT_TRUE(Export().failed.empty());
    const auto d3ll = File("Wall_D3LL.bmp");
    // Slot 5 is 20 wide: the rectangle's 16 columns are drawn, nothing outside it.
    for (int y = 0; y < 136; ++y) {
        for (int x = 0; x < 224; ++x) {
            const bool inside = x <= 15 && y >= 25 && y <= 73;
            const int source = (x * 7 + (y - 25) * 3 + 5) % 16;
            const int expected = inside && source != 10 ? source : 10;
            ASSERT_EQ(PixelOf(d3ll, x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(ExportTest, PiecesWithoutAlternateRepeatTheirFirstPicture) {
    ASSERT_TRUE(Export().failed.empty());
    EXPECT_EQ(File("Wall_D3LL.bmp"), File("Wall_D3LL`.bmp"));
    EXPECT_EQ(File("Wall_D3RR.bmp"), File("Wall_D3RR`.bmp"));
    EXPECT_NE(File("Wall_D3LL.bmp"), File("Wall_D3RR.bmp"));
    EXPECT_NE(File("Wall_D3L.bmp"), File("Wall_D3L`.bmp"));
}

TEST_F(ExportTest, AlternateOfD3LIsSlotFourFromOriginMirrored) {
    ASSERT_TRUE(Export().failed.empty());
    const auto file = File("Wall_D3L`.bmp");
    const CIndexedImage& image = wallSet.images[4];
    for (int y = 0; y < 136; ++y) {
        for (int x = 0; x < 224; ++x) {
            int expected = 10;
            if (x <= 83 && y >= 25 && y <= 75) {
                const int v = image.GetIndex(83 - x, y - 25) & 0x0F;
                expected = v;
            }
            ASSERT_EQ(PixelOf(file, x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(ExportTest, D0DrawsFromEmptySlotSixAndItsAlternateOnePixel) {
    wallSet.images[5] = MakeImage(20, 49, [](int x, int y) { return x == 0 && y == 0 ? 3 : 4; });
    ASSERT_TRUE(Export().failed.empty());
    EXPECT_TRUE(AllTransparent(File("Wall_D0.bmp")));
    auto alternate = File("Wall_D0`.bmp");
    ASSERT_EQ(alternate.size(), kFileSize);
    EXPECT_EQ(PixelOf(alternate, 0, 0), 3);
    alternate[kPixelOffset + 135 * 224] = 10;
    EXPECT_TRUE(AllTransparent(alternate));

    wallSet.images[5] = MakeImage(20, 49, [](int, int) { return 10; });
    ASSERT_TRUE(Export().failed.empty());
    EXPECT_TRUE(AllTransparent(File("Wall_D0`.bmp")));
}

TEST_F(ExportTest, EmptySlotGivesTransparentPicturesSilently) {
    wallSet.images[2].Clear();
    const ExportReport report = Export();
    EXPECT_TRUE(report.failed.empty());
    for (const char* name : {"Wall_D1L.bmp", "Wall_D1L`.bmp", "Wall_D1R.bmp", "Wall_D1R`.bmp",
                             "Wall_D1.bmp", "Wall_D1`.bmp"}) {
        EXPECT_TRUE(AllTransparent(File(name))) << name;
    }
    EXPECT_FALSE(AllTransparent(File("Wall_D2.bmp")));
}

// Passes everything to the real file system except the writes of the named pictures, which
// it recognizes by the temporary file that is created beside each target.
class FailingFileOps : public FileOps {
public:
    enum class Step { Create, Write, Rename };
    FailingFileOps(std::set<std::string> failing, Step step)
        : m_failing(std::move(failing)), m_step(step) {}

    int CreateTemporary(const fs::path& path) override {
        const std::string temporary = path.filename().string();
        m_current = std::any_of(m_failing.begin(), m_failing.end(), [&](const std::string& name) {
            return temporary.find(name) != std::string::npos;
        });
        if (Fails(Step::Create)) {
            return -1;
        }
        return SystemFileOps().CreateTemporary(path);
    }
    bool Write(int handle, std::span<const std::uint8_t> bytes) override {
        if (Fails(Step::Write)) {
            // A write that stops half-way, as on a full disk.
            SystemFileOps().Write(handle, bytes.first(bytes.size() / 2));
            return false;
        }
        return SystemFileOps().Write(handle, bytes);
    }
    bool Flush(int handle) override { return SystemFileOps().Flush(handle); }
    bool Close(int handle) override { return SystemFileOps().Close(handle); }
    bool Rename(const fs::path& from, const fs::path& to) override {
        return !Fails(Step::Rename) && SystemFileOps().Rename(from, to);
    }
    void Remove(const fs::path& path) override { SystemFileOps().Remove(path); }

private:
    bool Fails(Step step) const { return step == m_step && m_current; }

    std::set<std::string> m_failing;
    Step m_step;
    bool m_current = false;
};

TEST_F(ExportTest, FailedWritesAreListedAndLeaveEarlierFilesIntact) {
    for (const auto step : {FailingFileOps::Step::Create, FailingFileOps::Step::Write,
                            FailingFileOps::Step::Rename}) {
        TempFolder folder;
        WriteFileText(folder / "Wall_D3L.bmp", "earlier export");
        WriteFileText(folder / "keep.txt", "unrelated");
        FailingFileOps ops({"Wall_D3L.bmp", "Wall_D0`.bmp"}, step);
        const ExportReport report = ExportWallPieces(wallSet, folder.path().string(), ops);
        EXPECT_EQ(report.failed, (std::vector<std::string>{"Wall_D3L.bmp", "Wall_D0`.bmp"}));
        EXPECT_EQ(report.written.size(), 26u);
        EXPECT_EQ(
            report.FailureMessage(),
            "The following picture(s) failed to be exported:\n\nWall_D3L.bmp\nWall_D0`.bmp\n");
        EXPECT_EQ(ReadFileBytes(folder / "Wall_D3L.bmp"),
                  std::vector<unsigned char>(
                      {'e', 'a', 'r', 'l', 'i', 'e', 'r', ' ', 'e', 'x', 'p', 'o', 'r', 't'}));
        EXPECT_FALSE(fs::exists(folder / "Wall_D0`.bmp"));
        for (const std::string& name : report.written) {
            EXPECT_EQ(fs::file_size(folder / name), kFileSize) << name;
        }
        // Nothing left behind: 26 pictures, the earlier file and the unrelated one.
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()),
                  28);
    }
}

// On Windows such a folder exists only under its wide name.
TEST_F(ExportTest, WritesIntoAFolderNamedOutsideAscii) {
    const fs::path folder =
        home.path() / PathFromUtf8("Zo\u00eb") / PathFromUtf8("W\u00e4nde \u58c1");
    fs::create_directories(folder);
    const ExportReport report = ExportWallPieces(wallSet, folder);
    EXPECT_TRUE(report.failed.empty());
    EXPECT_EQ(report.written.size(), 28u);
    EXPECT_EQ(ReadFileBytes(folder / "Wall_D0`.bmp").size(), kFileSize);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 28);
}

TEST_F(ExportTest, UnusableHomeFolderFailsEveryPicture) {
    std::string expected(messages::kExportFailedHeading);
    for (const ExportPicture& picture : ExportPictureList()) {
        expected += picture.fileName + "\n";
    }

    WriteFileText(home / "plain-file", "not a folder");
    ExportReport report = ExportWallPieces(wallSet, (home / "plain-file").string());
    EXPECT_TRUE(report.bitmapCreated);
    EXPECT_TRUE(report.written.empty());
    EXPECT_EQ(report.failed.size(), 28u);
    EXPECT_EQ(report.FailureMessage(), expected);
    EXPECT_EQ(fs::file_size(home / "plain-file"), 12u);

    report = ExportWallPieces(wallSet, (home / "vanished").string());
    EXPECT_EQ(report.FailureMessage(), expected);
    EXPECT_FALSE(fs::exists(home / "vanished"));
}

}  // namespace
}  // namespace orvandel
