#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "core/common/geometry.h"
#include "core/common/message_texts.h"
#include "core/export/export_wall_pieces.h"
#include "core/image/colour_table.h"
#include "core/image/picture_decoder.h"
#include "core/map/map_text.h"
#include "core/view/view_renderer.h"
#include "core/view/viewport_size.h"
#include "core/wallset/load_wall_set.h"
#include "core/wallset/wallset_keys.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel::testing {
namespace {

namespace fs = std::filesystem;

std::string DefaultName(int slot) {
    return kWallSetKeys[static_cast<std::size_t>(slot)].defaultName;
}

// What the application would show for the same folder, computed in-process.
WallSet LoadInProcess(const fs::path& home, const fs::path& wallSetFile = {}) {
    WallSetDocument document;
    if (!wallSetFile.empty()) {
        EXPECT_TRUE(document.Open(wallSetFile));
    }
    WallSet wallSet;
    LoadWallSet(wallSet, document, home.string());
    return wallSet;
}

std::vector<unsigned char> ExpectedView(const WallSet& wallSet, const MapState& map, bool evenOdd) {
    CPaletteDib viewport;
    const ColourTable256 table = BuildColourTable(wallSet.palette);
    EXPECT_TRUE(viewport.Create(kViewportWidth, kViewportHeight, 8, table, 256));
    ComposeView(viewport, wallSet, map, evenOdd);
    return viewport.EncodeBmp();
}

class CliCommands : public ::testing::Test {
protected:
    void SetUp() override { WriteWallSet(home.path()); }
    TempFolder home;
};

TEST_F(CliCommands, ACompleteWallSetLoadsSilently) {
    for (const char* command : {"check", "export"}) {
        const CliResult result = RunCli(home.path(), {command});
        EXPECT_EQ(result.status, 0) << command << result.err;
        EXPECT_EQ(result.err, "") << command;
    }
}

// The load's notice comes first on stderr, exactly as the session words it; which files fail and
// in what order the load and session tests prove.
TEST_F(CliCommands, ALoadThatFailsPutsTheNoticeFirstOnStderrAndFails) {
    fs::create_directory(home / "sets");
    WriteFileText(home / "sets" / "mine.Pelorim", "[BMP]\r\n0086=not there.bmp\r\n");
    const struct {
        std::vector<fs::path> removed;
        fs::path folder;  // the tool's current folder, relative to the home folder
        std::vector<std::string> arguments;
        std::string notice;
        std::string detail;  // a fragment of what follows the notice
    } cases[] = {
        {{"wallpalette.pal", DefaultPicturePath({}, 2)},
         ".",
         {"check", "--diagnostics=block"},
         std::string(messages::kPaletteFailed) + "\n",
         DefaultName(2) + ": missing file"},
        {{DefaultPicturePath({}, 4), DefaultPicturePath({}, 1)},
         ".",
         {"check", "--diagnostics=block"},
         messages::BitmapsFailed(DefaultName(1) + "\n" + DefaultName(4) + "\n"),
         DefaultName(1) + ": "},
        // The wall-set file resolves against the current folder, the pictures against --home.
        {{},
         "sets",
         {"check", "--diagnostics=block", "--home", "..", "mine.Pelorim"},
         messages::BitmapsFailed("not there.bmp\n"),
         "not there.bmp: "},
    };
    for (const auto& c : cases) {
        TempFolder scratch;
        fs::copy(home.path(), scratch.path(), fs::copy_options::recursive);
        for (const fs::path& file : c.removed) {
            fs::remove(scratch.path() / file);
        }
        const CliResult result = RunCli(scratch.path() / c.folder, c.arguments);
        EXPECT_EQ(result.status, 1) << c.notice;
        EXPECT_EQ(result.err.substr(0, c.notice.size()), c.notice) << result.err;
        EXPECT_NE(result.err.find(c.detail, c.notice.size()), std::string::npos) << result.err;
    }
}

TEST_F(CliCommands, ExportWritesExactlyTheApplicationsFiles) {
    const CliResult result = RunCli(home.path(), {"export"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, std::string(messages::kExportFinished) + "\n" +
                              messages::ExportSummary(28, 0, 0, home.path().string()) + "\n");

    TempFolder reference;
    const ExportReport expected = ExportWallPieces(LoadInProcess(home.path()), reference.path());
    ASSERT_EQ(expected.written.size(), 28u);
    for (const std::string& name : expected.written) {
        const std::vector<unsigned char> bytes = ReadFileBytes(home / name);
        EXPECT_EQ(bytes.size(), 31542u) << name;
        EXPECT_EQ(bytes, ReadFileBytes(reference / name)) << name;
    }
}

TEST_F(CliCommands, ExportIntoAnotherHomeWritesThereAndWhatFailsIsListed) {
    TempFolder target;
    WriteWallSet(target.path());
    // A folder in the way of one file: the rename fails for every user, root included.
    fs::create_directory(target / "Wall_D2L.bmp");
    const CliResult result =
        RunCli(home.path(), {"export", "--diagnostics=block", "--home", target.path().string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              messages::ExportFailed("Wall_D2L.bmp\n") + "\nWall_D2L.bmp: is a folder\n");
    EXPECT_EQ(FilesIn(target.path()).size(), 7u + 28u);
    EXPECT_FALSE(fs::exists(home / "Wall_D3.bmp"));
}

// A picture caught half saved must not turn the good pieces drawn from it see-through.
TEST_F(CliCommands, ExportAfterAFailedPictureKeepsItsPiecesAndWritesTheRest) {
    WriteFileText(home / "Wall_D1.bmp", "earlier");
    WriteFileText(DefaultPicturePath(home.path(), 2), "");
    const CliResult result = RunCli(home.path(), {"export", "--diagnostics=block"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(ReadFileBytes(home / "Wall_D1.bmp").size(), 7u);
    EXPECT_FALSE(fs::exists(home / "Wall_D1L`.bmp"));
    EXPECT_NE(result.err.find(std::string(messages::kExportFailedHeading) +
                              "Wall_D1L.bmp\nWall_D1L`.bmp\nWall_D1R.bmp"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("Wall_D1.bmp: not written, its picture 0086"), std::string::npos);
    // The rest, the empty slot's own D0 form included, is written as ever.
    EXPECT_EQ(ReadFileBytes(home / "Wall_D2.bmp").size(), 31542u);
    EXPECT_EQ(ReadFileBytes(home / "Wall_D0.bmp").size(), 31542u);
    EXPECT_NE(result.out.find("22 written, 0 unchanged, 6 failed"), std::string::npos);
}

TEST_F(CliCommands, ExportWithoutAPaletteWritesNothingAndFails) {
    fs::remove(home / "wallpalette.pal");
    WriteFileText(home / "Wall_D1.bmp", "earlier");
    const CliResult result = RunCli(home.path(), {"export", "--diagnostics=block"});
    EXPECT_EQ(result.status, 1);
    // Said once: the load's report gives the reason, the export only what it did not do.
    const std::string reason = "missing file (looked in '" + home.path().string() + "')";
    EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(reason), result.err.rfind(reason)) << result.err;
    EXPECT_NE(result.err.find(messages::kNothingExported), std::string::npos) << result.err;
    EXPECT_EQ(result.out.find("export finished"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(home / "Wall_D1.bmp").size(), 7u);
    EXPECT_FALSE(fs::exists(home / "Wall_D1`.bmp"));
}

TEST_F(CliCommands, RenderWritesThePreviewsViewport) {
    struct Case {
        std::vector<std::string> arguments;
        int x, y;
        Direction facing;
        bool evenOdd;
        std::vector<Point> toggles;
    };
    const std::vector<Case> cases = {
        {{}, 7, 7, 0, false, {}},
        {{"--even-odd"}, 7, 7, 0, true, {}},
        {{"--at", "7,7,E", "--even-odd"}, 7, 7, 1, true, {}},
        {{"--at", "15,7,E"}, 15, 7, 1, false, {}},
        // Toggled twice: back to floor, then the viewer's own square made a wall.
        {{"--toggle", "7,5", "--toggle", "7,5", "--toggle", "3,4", "--at", "3,4,w", "--even-odd"},
         3,
         4,
         3,
         true,
         {{7, 5}, {7, 5}, {3, 4}}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"render", "--output", "view.bmp"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const CliResult result = RunCli(home.path(), arguments);
        ASSERT_EQ(result.status, 0) << result.err;

        MapState map;
        for (const Point& cell : c.toggles) {
            map.ToggleCell(cell.x, cell.y);
        }
        map.PlaceViewer(c.x, c.y, c.facing);
        const std::vector<unsigned char> bytes = ReadFileBytes(home / "view.bmp");
        EXPECT_EQ(bytes.size(), 31542u);
        EXPECT_EQ(bytes, ExpectedView(LoadInProcess(home.path()), map, c.evenOdd)) << result.out;
    }
}

TEST_F(CliCommands, RenderReadsAMapFileWithCrLfLines) {
    std::string text;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            text += (x + y) % 3 == 0 ? '#' : '.';
        }
        text += "\r\n";
    }
    WriteFileText(home / "diagonal.map", text);
    const CliResult result = RunCli(
        home.path(), {"render", "--map", "diagonal.map", "--at", "5,9,S", "--output", "d.BMP"});
    ASSERT_EQ(result.status, 0) << result.err;

    MapState map = *ParseMapText(text).map;
    map.PlaceViewer(5, 9, 2);
    EXPECT_EQ(ReadFileBytes(home / "d.BMP"), ExpectedView(LoadInProcess(home.path()), map, false));
}

TEST_F(CliCommands, RenderWithoutAPaletteDrawsInBlackAndFails) {
    fs::remove(home / "wallpalette.pal");
    const CliResult result = RunCli(home.path(), {"render", "--output", "view.bmp"});
    EXPECT_EQ(result.status, 1);
    const std::vector<unsigned char> bytes = ReadFileBytes(home / "view.bmp");
    ASSERT_EQ(bytes.size(), 31542u);
    // Colour table after the two headers: all zero. Pixels: index 0, since every slot is empty.
    for (std::size_t i = 54; i < bytes.size(); ++i) {
        ASSERT_EQ(bytes[i], 0) << i;
    }
}

TEST_F(CliCommands, RenderThatCannotWriteItsOutputFails) {
    const CliResult result = RunCli(home.path(), {"render", "--output", "nowhere/view.bmp"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("nowhere/view.bmp"), std::string::npos) << result.err;
}

TEST_F(CliCommands, RenderToPngShowsTheSamePictureAsTheBmp) {
    const std::vector<std::string> view = {"--at", "7,7,E", "--even-odd"};
    std::vector<std::string> bmp = {"render", "--output", "view.bmp"};
    std::vector<std::string> png = {"render", "--output", "view.PNG"};
    bmp.insert(bmp.end(), view.begin(), view.end());
    png.insert(png.end(), view.begin(), view.end());
    ASSERT_EQ(RunCli(home.path(), bmp).status, 0);
    const CliResult result = RunCli(home.path(), png);
    ASSERT_EQ(result.status, 0) << result.err;

    const DecodeResult fromBmp = DecodePictureFile(home / "view.bmp");
    const DecodeResult fromPng = DecodePictureFile(home / "view.PNG");
    ASSERT_TRUE(fromBmp.picture && fromPng.picture) << fromPng.reason;
    ASSERT_EQ(fromPng.picture->width, kViewportWidth);
    ASSERT_EQ(fromPng.picture->height, kViewportHeight);
    EXPECT_EQ(fromPng.picture->bitsPerPixel, 8);
    EXPECT_EQ(fromPng.picture->colourTable, fromBmp.picture->colourTable);
    EXPECT_EQ(fromPng.picture->indices, fromBmp.picture->indices);
}

TEST_F(CliCommands, PicturesInOtherFormatsLoadWhenTheToolReadsThem) {
    // A GIF-looking file that is not a picture fails like any unreadable one, never crashes.
    WriteFileText(home / "odd.gif", "GIF89a but nothing more");
    WriteFileText(home / "odd.Pelorim", "[BMP]\n0084=odd.gif\n");
    const CliResult result = RunCli(home.path(), {"check", "--diagnostics=block", "odd.Pelorim"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.substr(0, messages::BitmapsFailed("odd.gif\n").size()),
              messages::BitmapsFailed("odd.gif\n"));
}

}  // namespace
}  // namespace orvandel::testing
