#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel::testing {
namespace {

namespace fs = std::filesystem;

bool Contains(const std::string& text, const std::string& fragment) {
    return text.find(fragment) != std::string::npos;
}

// The report line of one piece form, e.g. "D3LL own".
std::string PieceLine(const std::string& report, const std::string& piece) {
    const std::size_t at = report.find("  " + piece + ":");
    if (at == std::string::npos) {
        return {};
    }
    return report.substr(at, report.find('\n', at) - at);
}

TEST(CliCheck, FullSizePicturesCoverEveryPieceAndPassStrict) {
    TempFolder home;
    WriteWallSet(home.path());
    const CliResult result = RunCli(home.path(), {"check", "--strict"});
    EXPECT_EQ(result.status, 0) << result.out;
    EXPECT_TRUE(Contains(result.out,
                         "0086 (slot 2) \"0086 [Dungeon Graphics - Wall (Front and "
                         "Sides 1)] .bmp\": loaded, 256 x 111, 8 bits per pixel"))
        << result.out;
    EXPECT_TRUE(Contains(PieceLine(result.out, "D1L own"), "covered")) << result.out;
    EXPECT_TRUE(Contains(PieceLine(result.out, "D0 own"), "slot 6 is never loaded"));
    EXPECT_TRUE(Contains(PieceLine(result.out, "D0 alternate"), "covered"));
    EXPECT_TRUE(Contains(result.out, "0 piece form(s) not fully covered")) << result.out;
}

TEST(CliCheck, NarrowPicturesNameTheEmptyColumnsAndRowsAndFailStrict) {
    TempFolder home;
    PictureSize sizes[6];
    std::copy(std::begin(kFullSizes), std::end(kFullSizes), sizes);
    sizes[5] = {8, 49};  // the far side drawn at its reference width
    sizes[2] = {200, 100};
    WriteWallSet(home.path(), sizes);

    const CliResult relaxed = RunCli(home.path(), {"check"});
    EXPECT_EQ(relaxed.status, 0) << relaxed.out;
    EXPECT_EQ(RunCli(home.path(), {"check", "--strict"}).status, 1);

    // Unmirrored, the right half of "D3LL" stays empty; mirrored, every source column it asks
    // for lies past the 8-pixel picture.
    const std::string d3ll = PieceLine(relaxed.out, "D3LL own");
    EXPECT_TRUE(Contains(d3ll, "columns 8-15 stay empty")) << d3ll;
    EXPECT_TRUE(Contains(d3ll, "needs at least 16 x 49")) << d3ll;
    EXPECT_TRUE(Contains(PieceLine(relaxed.out, "D3RR own"), "draws nothing")) << relaxed.out;
    // "D1L" reads columns 192..255 of a 200-wide picture, 111 rows of a 100-high one.
    const std::string d1l = PieceLine(relaxed.out, "D1L own");
    EXPECT_TRUE(Contains(d1l, "columns 8-63 stay empty")) << d1l;
    EXPECT_TRUE(Contains(d1l, "rows 109-119 stay empty")) << d1l;
    EXPECT_TRUE(Contains(d1l, "needs at least 256 x 111")) << d1l;
}

TEST(CliCheck, ApproximatedColoursAreCountedAndFailStrict) {
    TempFolder home;
    WriteWallSet(home.path());
    // A 24-bit picture in a colour no palette entry holds exactly.
    const std::vector<Colour> pixels(16 * 49, MakeColour(1, 2, 3));
    WriteFileBytes(DefaultPicturePath(home.path(), 5), MakeBmp(16, 49, 24, pixels));
    const CliResult relaxed = RunCli(home.path(), {"check"});
    EXPECT_EQ(relaxed.status, 0);
    EXPECT_TRUE(Contains(relaxed.out, "24 bits per pixel; 784 approximated")) << relaxed.out;
    EXPECT_EQ(RunCli(home.path(), {"check", "--strict"}).status, 1);
}

TEST(CliCheck, RefusedPicturesShowTheirReasonAndSize) {
    TempFolder home;
    WriteWallSet(home.path());
    WriteFileBytes(DefaultPicturePath(home.path(), 0), MakePatternBmp(321, 10, 0));
    WriteFileText(DefaultPicturePath(home.path(), 1), "not a picture at all");
    const CliResult result = RunCli(home.path(), {"check"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(Contains(result.out, "0084 (slot 0)")) << result.out;
    const std::size_t slot0 = result.out.find("0084 (slot 0)");
    const std::string line = result.out.substr(slot0, result.out.find('\n', slot0) - slot0);
    EXPECT_TRUE(Contains(line, "FAILED")) << line;
    EXPECT_TRUE(Contains(line, "321")) << line;
    EXPECT_TRUE(Contains(PieceLine(result.out, "D0R own"), "did not load")) << result.out;
    EXPECT_TRUE(Contains(result.out, "2 file(s) failed to load")) << result.out;
}

TEST(CliCheck, HostileInputsEndInAnAnswer) {
    TempFolder home;
    WriteWallSet(home.path());
    // A picture name that is a FIFO, one that is a folder, and a palette that is a folder:
    // each must fail to load rather than block or crash.
    fs::remove(DefaultPicturePath(home.path(), 3));
    ASSERT_EQ(::mkfifo(DefaultPicturePath(home.path(), 3).c_str(), 0600), 0);
    fs::remove(DefaultPicturePath(home.path(), 4));
    fs::create_directory(DefaultPicturePath(home.path(), 4));
    const CliResult pictures = RunCli(home.path(), {"check"});
    EXPECT_EQ(pictures.status, 1) << pictures.err;

    for (const bool fifo : {false, true}) {
        fs::remove(home / "wallpalette.pal");
        if (fifo) {
            ASSERT_EQ(::mkfifo((home / "wallpalette.pal").c_str(), 0600), 0);
        } else {
            fs::create_directory(home / "wallpalette.pal");
        }
        EXPECT_EQ(RunCli(home.path(), {"check"}).status, 1) << fifo;
    }
}

}  // namespace
}  // namespace orvandel::testing
