#include "core/wallset/load_wall_set.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/common/path_text.h"
#include "core/wallset/wallset_keys.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

namespace fs = std::filesystem;
using testing::MakeBmp;
using testing::MakeRiffPalette;
using testing::TempFolder;
using testing::TestPalette;
using testing::WriteFileBytes;
using testing::WriteFileText;

// Index 0 is only reached by falling through the colour matching, so pictures use the others.
constexpr int kFirstIndexOfSlot = 1;

std::vector<unsigned char> PictureOfIndex(int width, int height, int index) {
    const Colour colour = TestPalette()[index];
    return MakeBmp(width, height, 24,
                   std::vector<Colour>(static_cast<std::size_t>(width * height), colour));
}

class LoadWallSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto colours = TestPalette().colours();
        WriteFileBytes(home / kPaletteFileName,
                       MakeRiffPalette(std::vector<Colour>(colours.begin(), colours.end())));
        for (int slot = 0; slot < 6; ++slot) {
            WritePicture(DefaultName(slot), 8 + slot, 4 + slot, kFirstIndexOfSlot + slot);
        }
    }

    static std::string DefaultName(int slot) {
        return kWallSetKeys[static_cast<std::size_t>(slot)].defaultName;
    }
    void WritePicture(const std::string& name, int width, int height, int index) const {
        fs::create_directories((home / name).parent_path());
        WriteFileBytes(home / name, PictureOfIndex(width, height, index));
    }
    void RemoveDefault(int slot) const { fs::remove(home / DefaultName(slot)); }
    LoadReport Load() { return LoadWallSet(wallSet, document, home.path()); }
    void UseWallSetFile(const std::string& text) {
        WriteFileText(home / "set.Pelorim", text);
        ASSERT_TRUE(document.Open(home / "set.Pelorim"));
    }
    void ExpectSlotsEmpty() const {
        for (std::size_t slot = 0; slot < wallSet.images.size(); ++slot) {
            EXPECT_TRUE(wallSet.images[slot].IsEmpty()) << "slot " << slot;
            EXPECT_EQ(wallSet.images[slot].width(), 0) << "slot " << slot;
            EXPECT_EQ(wallSet.images[slot].height(), 0) << "slot " << slot;
        }
    }

    TempFolder home;
    WallSet wallSet;
    WallSetDocument document;
};

TEST_F(LoadWallSetTest, CompleteSetWithoutWallSetFileLoadsSilently) {
    const LoadReport report = Load();
    EXPECT_TRUE(report.ok());
    EXPECT_TRUE(report.paletteLoaded);
    EXPECT_FALSE(report.Message().has_value());
    EXPECT_EQ(Joined(report.DetailLines()), "");
    EXPECT_EQ(wallSet.palette, TestPalette());
    for (int slot = 0; slot < 6; ++slot) {
        const CIndexedImage& image = wallSet.images[static_cast<std::size_t>(slot)];
        EXPECT_EQ(image.width(), 8 + slot);
        EXPECT_EQ(image.height(), 4 + slot);
        EXPECT_EQ(image.GetIndex(0, 0), kFirstIndexOfSlot + slot);
        EXPECT_EQ(image.palette(), TestPalette());
        EXPECT_EQ(report.names[static_cast<std::size_t>(slot)], DefaultName(slot));
    }
    EXPECT_TRUE(wallSet.images[6].IsEmpty());
}

TEST_F(LoadWallSetTest, AMissingPictureNamesTheFileItProbablyMeant) {
    // The artist's copies: one space less, another letter case and extension, and a name that
    // is merely alike.
    const std::string name0 = DefaultName(0);
    fs::rename(home / name0, home / "0084 [Dungeon Graphics - Wall (Right Side 0)].bmp");
    fs::rename(home / DefaultName(1), home / "0085 [DUNGEON GRAPHICS - WALL (LEFT SIDE 0)] .png");
    fs::rename(home / DefaultName(2), home / "0086 Front.bmp");
    const LoadReport report = Load();
    ASSERT_EQ(report.failedPictures.size(), 3u);
    EXPECT_EQ(report.failedPictures[0].reason,
              "missing file; did you mean '0084 [Dungeon Graphics - Wall (Right Side 0)].bmp'?");
    EXPECT_EQ(report.failedPictures[1].reason,
              "missing file; did you mean '0085 [DUNGEON GRAPHICS - WALL (LEFT SIDE 0)] .png'?");
    EXPECT_EQ(report.failedPictures[2].reason, "missing file");
}

TEST_F(LoadWallSetTest, HomeFolderNotCurrentFolderResolvesNames) {
    TempFolder elsewhere;
    const fs::path saved = fs::current_path();
    fs::current_path(elsewhere.path());
    const LoadReport report = Load();
    fs::current_path(saved);
    EXPECT_TRUE(report.ok()) << Joined(report.DetailLines());
}

TEST_F(LoadWallSetTest, MissingOrBrokenPaletteLoadsNoPictureButStillNamesTheFailedOnes) {
    ASSERT_TRUE(Load().ok());  // slots full, as after an earlier load
    Palette16 previous;
    previous[3] = 0x123456;
    wallSet.palette = previous;

    fs::remove(home / kPaletteFileName);
    for (int slot = 0; slot < 6; ++slot) {
        RemoveDefault(slot);  // the palette's message stays the only one all the same
    }
    LoadReport report = Load();
    EXPECT_FALSE(report.ok());
    EXPECT_FALSE(report.paletteLoaded);
    EXPECT_EQ(report.Message(), "A palette file 'wallpalette.pal' failed to be read!");
    ASSERT_EQ(report.failedPictures.size(), 6u);
    EXPECT_EQ(report.failedPictures[5].name, kWallSetKeys[5].defaultName);
    EXPECT_NE(Joined(report.DetailLines()).find("wallpalette.pal: "), std::string::npos);
    EXPECT_NE(Joined(report.DetailLines())
                  .find(std::string(kWallSetKeys[5].defaultName) + ": missing file"),
              std::string::npos);
    EXPECT_EQ(wallSet.palette, previous);
    ExpectSlotsEmpty();

    WriteFileText(home / kPaletteFileName, "RIFF junk");
    report = Load();
    EXPECT_EQ(report.Message(), "A palette file 'wallpalette.pal' failed to be read!");
    EXPECT_EQ(wallSet.palette, previous);
}

TEST_F(LoadWallSetTest, FailedNameIsListedAsWrittenInTheFile) {
    UseWallSetFile("[BMP]\r\n0086=Walls\\Gone.bmp\r\n");
    const LoadReport report = Load();
    EXPECT_EQ(report.Message(),
              "The following bitmap file(s) failed to be read: \n\nWalls\\Gone.bmp\n");
    ASSERT_EQ(report.failedPictures.size(), 1u);
    EXPECT_EQ(report.failedPictures[0].slot, 2);
    EXPECT_EQ(Joined(report.DetailLines()).rfind("Walls\\Gone.bmp: ", 0), 0u)
        << Joined(report.DetailLines());
    EXPECT_TRUE(wallSet.images[2].IsEmpty());
    EXPECT_FALSE(wallSet.images[1].IsEmpty());
    EXPECT_FALSE(wallSet.images[3].IsEmpty());
}

TEST_F(LoadWallSetTest, WindowsStyleNameFindsThePicture) {
    WritePicture("walls/a.bmp", 5, 5, 9);
    UseWallSetFile("[BMP]\n0084=Walls\\A.BMP\n");
    const LoadReport report = Load();
    EXPECT_TRUE(report.ok()) << Joined(report.DetailLines());
    EXPECT_EQ(report.names[0], "Walls\\A.BMP");
    EXPECT_EQ(wallSet.images[0].GetIndex(4, 4), 9);
}

TEST_F(LoadWallSetTest, AllSixMissingAreListedInKeyOrder) {
    for (int slot = 0; slot < 6; ++slot) {
        RemoveDefault(slot);
    }
    const LoadReport report = Load();
    EXPECT_EQ(report.Message(),
              "The following bitmap file(s) failed to be read: \n\n"
              "0084 [Dungeon Graphics - Wall (Right Side 0)] .bmp\n"
              "0085 [Dungeon Graphics - Wall (Left Side 0)] .bmp\n"
              "0086 [Dungeon Graphics - Wall (Front and Sides 1)] .bmp\n"
              "0087 [Dungeon Graphics - Wall (Front and Sides 2)] .bmp\n"
              "0088 [Dungeon Graphics - Wall (Front and Sides 3)] .bmp\n"
              "0089 [Dungeon Graphics - Wall (Far Left Side 3)] .bmp\n");
    ExpectSlotsEmpty();
    EXPECT_EQ(wallSet.palette, TestPalette());  // the palette itself did load
}

TEST_F(LoadWallSetTest, EmptyNameFailsAsAnEmptyLine) {
    UseWallSetFile("[BMP]\n0087=\n");
    const LoadReport report = Load();
    EXPECT_EQ(report.Message(), "The following bitmap file(s) failed to be read: \n\n\n");
    ASSERT_EQ(report.failedPictures.size(), 1u);
    EXPECT_EQ(report.failedPictures[0].reason, "empty file name");
    EXPECT_EQ(Joined(report.DetailLines()), "key 0087: empty file name\n");
    EXPECT_TRUE(wallSet.images[3].IsEmpty());
}

TEST_F(LoadWallSetTest, OversizedPictureFailsLikeAMissingOne) {
    WritePicture("wide.bmp", 321, 1, 2);
    WritePicture("widest.bmp", 320, 1, 2);
    WritePicture("tall.bmp", 1, 1001, 2);
    UseWallSetFile("[BMP]\n0084=wide.bmp\n0085=widest.bmp\n0086=tall.bmp\n");
    const LoadReport report = Load();
    EXPECT_EQ(report.Message(),
              "The following bitmap file(s) failed to be read: \n\nwide.bmp\ntall.bmp\n");
    EXPECT_TRUE(wallSet.images[0].IsEmpty());
    EXPECT_EQ(wallSet.images[1].width(), 320);
    EXPECT_TRUE(wallSet.images[2].IsEmpty());
}

TEST_F(LoadWallSetTest, ReloadReadsTheEditedFileAndEmptiesDeletedPictures) {
    UseWallSetFile("[BMP]\n0084=first.bmp\n");
    WritePicture("first.bmp", 3, 3, 4);
    WritePicture("second.bmp", 6, 2, 5);
    ASSERT_TRUE(Load().ok());
    EXPECT_EQ(wallSet.images[0].GetIndex(0, 0), 4);

    WriteFileText(home / "set.Pelorim", "[BMP]\n0084=second.bmp\n");
    RemoveDefault(5);
    ASSERT_TRUE(wallSet.images[6].Init(2, 2));  // slot 6 never keeps pixels
    const LoadReport report = Load();
    EXPECT_EQ(wallSet.images[0].width(), 6);
    EXPECT_EQ(wallSet.images[0].GetIndex(0, 0), 5);
    EXPECT_TRUE(wallSet.images[5].IsEmpty());
    EXPECT_EQ(report.Message(),
              "The following bitmap file(s) failed to be read: \n\n" + DefaultName(5) + "\n");
    EXPECT_TRUE(wallSet.images[6].IsEmpty());
}

// Artists name folders in their own language. On Windows such names exist only in their wide
// form, and the wall-set file names pictures in UTF-8.
TEST(LoadWallSetNames, HomeFolderAndPictureNamesOutsideAsciiLoad) {
    TempFolder root;
    const fs::path home =
        root.path() / PathFromUtf8("Zo\u00eb") / PathFromUtf8("W\u00e4nde \u58c1");
    fs::create_directories(home / PathFromUtf8("Fl\u00e4che"));
    const auto colours = TestPalette().colours();
    WriteFileBytes(home / kPaletteFileName,
                   MakeRiffPalette(std::vector<Colour>(colours.begin(), colours.end())));
    for (int slot = 1; slot < 6; ++slot) {
        const std::string name = kWallSetKeys[static_cast<std::size_t>(slot)].defaultName;
        WriteFileBytes(home / name, PictureOfIndex(8, 4, kFirstIndexOfSlot + slot));
    }
    WriteFileBytes(home / PathFromUtf8("Fl\u00e4che") / PathFromUtf8("R\u00e9chts.bmp"),
                   PictureOfIndex(5, 3, kFirstIndexOfSlot));
    WriteFileText(home / "set.Pelorim", "[BMP]\r\n0084=Fl\u00e4che\\R\u00e9chts.bmp\r\n");
    WallSetDocument document;
    ASSERT_TRUE(document.Open(home / "set.Pelorim"));

    WallSet wallSet;
    const LoadReport report = LoadWallSet(wallSet, document, home);
    EXPECT_TRUE(report.ok()) << Joined(report.DetailLines());
    EXPECT_EQ(wallSet.images[0].width(), 5);
    EXPECT_EQ(wallSet.images[5].width(), 8);
}

}  // namespace
}  // namespace orvandel
