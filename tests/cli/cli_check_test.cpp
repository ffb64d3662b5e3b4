#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "core/common/message_texts.h"
#include "core/image/indexed_image.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel::testing {
namespace {

namespace fs = std::filesystem;

bool Contains(const std::string& text, const std::string& fragment) {
    return text.find(fragment) != std::string::npos;
}

// The report line of one piece form, by its place, e.g. "far left side, distance 3 [D3LL]".
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
                         "Sides 1)] .bmp\": loaded, 256 x 111, 8 bits per pixel; needs 256 x 111;"))
        << result.out;
    EXPECT_TRUE(Contains(PieceLine(result.out, "left side, distance 1 [D1L]"), "covered"))
        << result.out;
    EXPECT_TRUE(Contains(PieceLine(result.out, "front wall, distance 0 [D0]"), "never drawn"));
    EXPECT_TRUE(Contains(PieceLine(result.out, "front wall, distance 0 (alternate, mirrored) [D0]"),
                         "covered"));
    EXPECT_TRUE(Contains(result.out, "0 piece(s) not fully covered")) << result.out;
}

TEST(CliCheck, AHomeFolderWrittenWithATrailingSeparatorIsThatFolder) {
    TempFolder start;
    std::filesystem::create_directories(start / "Mein Set");
    WriteWallSet(start / "Mein Set");
    const CliResult result = RunCli(start.path(), {"check", "--home", "Mein Set/"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(Contains(result.out, "Home folder: " + (start / "Mein Set").string() + "\n"))
        << result.out;
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
    const std::string d3ll = PieceLine(relaxed.out, "far left side, distance 3 [D3LL]");
    EXPECT_TRUE(Contains(d3ll, "columns 8-15 stay empty")) << d3ll;
    EXPECT_TRUE(Contains(d3ll, "this piece needs at least 16 x 49")) << d3ll;
    EXPECT_TRUE(Contains(PieceLine(relaxed.out, "far right side, distance 3 (mirrored) [D3RR]"),
                         "draws nothing"))
        << relaxed.out;
    // "D1L" reads columns 192..255 of a 200-wide picture, 111 rows of a 100-high one.
    const std::string d1l = PieceLine(relaxed.out, "left side, distance 1 [D1L]");
    EXPECT_TRUE(Contains(d1l, "columns 8-63 stay empty")) << d1l;
    EXPECT_TRUE(Contains(d1l, "rows 109-119 stay empty")) << d1l;
    EXPECT_TRUE(Contains(d1l, "this piece needs at least 256 x 111")) << d1l;
}

// A 16 x 49 far-side picture: 100 pixels of a colour that becomes index 10 without being its
// colour, 30 of another approximated colour, the rest exactly palette colour 3.
struct SeeThroughSet {
    Colour seeThrough = 0;
    Colour approximated = 0;
};

SeeThroughSet WriteSeeThroughSet(const fs::path& home) {
    WriteWallSet(home);
    const Palette16 palette = TestPalette();
    SeeThroughSet set;
    set.seeThrough = palette[10] ^ 0x1u;
    set.approximated = palette[3] ^ 0x010000u;
    EXPECT_EQ(MatchColour(palette, set.seeThrough), 10);
    EXPECT_NE(MatchColour(palette, set.approximated), 10);
    std::vector<Colour> pixels(16 * 49, palette[3]);
    std::fill_n(pixels.begin(), 100, set.seeThrough);
    std::fill_n(pixels.begin() + 100, 30, set.approximated);
    WriteFileBytes(DefaultPicturePath(home, 5), MakeBmp(16, 49, 24, pixels));
    return set;
}

TEST(CliCheck, SeeThroughColoursAreCalledOutFirstAndFailStrict) {
    TempFolder home;
    WriteSeeThroughSet(home.path());
    const CliResult relaxed = RunCli(home.path(), {"check"});
    EXPECT_EQ(relaxed.status, 0) << relaxed.err;
    const std::size_t callout = relaxed.out.find("See-through!");
    EXPECT_NE(callout, std::string::npos) << relaxed.out;
    EXPECT_LT(callout, relaxed.out.find("Pictures:"));
    EXPECT_TRUE(Contains(relaxed.out,
                         "0089 (slot 5) \"0089 [Dungeon Graphics - Wall (Far Left "
                         "Side 3)] .bmp\": 100 pixels"))
        << relaxed.out;
    EXPECT_TRUE(Contains(relaxed.out,
                         "24 bits per pixel; needs 16 x 49; 130 approximated, 100 "
                         "see-through pixels"))
        << relaxed.out;
    EXPECT_EQ(RunCli(home.path(), {"check", "--strict"}).status, 1);
}

TEST(CliCheck, JsonHoldsTheReportForScripts) {
    TempFolder home;
    const SeeThroughSet set = WriteSeeThroughSet(home.path());
    const CliResult result = RunCli(home.path(), {"check", "--json"});
    EXPECT_EQ(result.status, 0) << result.err;
    const nlohmann::json json = nlohmann::json::parse(result.out);  // throws unless it is all JSON

    EXPECT_EQ(json.at("ok"), false);
    EXPECT_EQ(json.at("home"), fs::absolute(home.path()).string());
    EXPECT_TRUE(json.at("wallset").is_null());
    EXPECT_EQ(json.at("palette").at("loaded"), true);
    EXPECT_TRUE(json.at("palette").at("reason").is_null());
    const Palette16 palette = TestPalette();
    ASSERT_EQ(json.at("palette").at("colours").size(), 16u);
    EXPECT_EQ(json.at("palette").at("colours").at(3), messages::ColourText(palette[3]));

    const nlohmann::json& pictures = json.at("pictures");
    ASSERT_EQ(pictures.size(), 6u);
    for (std::size_t slot = 0; slot < 6; ++slot) {
        EXPECT_EQ(pictures[slot].at("slot"), slot);
        EXPECT_EQ(pictures[slot].at("loaded"), true);
    }
    const nlohmann::json& far = pictures[5];
    EXPECT_EQ(far.at("key"), "0089");
    EXPECT_EQ(far.at("bits_per_pixel"), 24);
    EXPECT_EQ(far.at("width"), 16);
    EXPECT_EQ(far.at("needed_width"), 16);
    EXPECT_EQ(far.at("needed_height"), 49);
    EXPECT_EQ(far.at("approximated_pixels"), 130);
    EXPECT_EQ(far.at("see_through_pixels"), 100);
    const nlohmann::json expected = nlohmann::json::parse(
        "[{\"colour\": \"" + messages::ColourText(set.seeThrough) +
        "\", \"index\": 10, \"pixels\": 100}, {\"colour\": \"" +
        messages::ColourText(set.approximated) + "\", \"index\": " +
        std::to_string(MatchColour(palette, set.approximated)) + ", \"pixels\": 30}]");
    EXPECT_EQ(far.at("approximated_colours"), expected);

    const nlohmann::json& pieces = json.at("pieces");
    ASSERT_EQ(pieces.size(), 28u);
    EXPECT_EQ(pieces[0].at("row"), "D3LL");
    EXPECT_EQ(pieces[0].at("form"), "own");
    EXPECT_EQ(pieces[1].at("form"), "alternate");
    EXPECT_EQ(pieces[26].at("slot"), 6);
    EXPECT_EQ(pieces[26].at("covered"), false);
    EXPECT_EQ(pieces[2].at("covered"), true);

    // A palette that fails leaves the colours out; every picture is decoded, not matched.
    fs::remove(home / "wallpalette.pal");
    const nlohmann::json failed =
        nlohmann::json::parse(RunCli(home.path(), {"check", "--json"}).out);
    EXPECT_FALSE(failed.at("palette").contains("colours"));
    EXPECT_TRUE(failed.at("palette").at("reason").is_string());
    EXPECT_EQ(failed.at("pictures")[2].at("loaded"), false);
    EXPECT_EQ(failed.at("pictures")[2].at("decoded_without_palette"), true);
    EXPECT_EQ(failed.at("pictures")[2].at("width"), 256);
    EXPECT_TRUE(failed.at("pictures")[2].at("name").get<std::string>().starts_with("0086"));
}

TEST(CliCheck, OverlayWritesAPngSheetBesideTheReport) {
    TempFolder home;
    WriteSeeThroughSet(home.path());
    const CliResult result = RunCli(home.path(), {"check", "--overlay", "sheet.png"});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::vector<unsigned char> png = ReadFileBytes(home / "sheet.png");
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    EXPECT_EQ(RunCli(home.path(), {"check", "--overlay", "sheet.bmp"}).status, 2);
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
    EXPECT_TRUE(Contains(PieceLine(result.out, "right side, distance 0 [D0R]"), "did not load"))
        << result.out;
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

namespace orvandel::testing {
namespace {

// Whatever bytes a folder, a wall-set file or its names hold, the JSON parses and the text
// shows every control character as an escape.
TEST(CliCheckHostileText, JsonIsValidAndTextIsEscapedWhateverTheBytes) {
    TempFolder root;
    const fs::path home = root.path() / fs::path("h\xe4m\nSummary: 0 file(s) failed");
    fs::create_directories(home);
    WriteWallSet(home);
    WriteFileText(home / "set.Pelorim",
                  "[BMP]\r\n0086=W\xe4nde\x1b]0;x\x07.bmp\r\n\xff stray \x1b[2K\r\n");
    const CliResult json = RunCli(home, {"check", "--json", "set.Pelorim"});
    EXPECT_EQ(json.status, 1);
    const nlohmann::json parsed = nlohmann::json::parse(json.out, nullptr, false);
    ASSERT_FALSE(parsed.is_discarded()) << json.out << json.err;
    EXPECT_EQ(parsed["pictures"][2]["name"], "W\xc3\xa4nde\x1b]0;x\x07.bmp");

    const CliResult text = RunCli(home, {"check", "set.Pelorim"});
    for (const std::string* stream : {&text.out, &text.err}) {
        EXPECT_EQ(stream->find('\x1b'), std::string::npos) << *stream;
        EXPECT_EQ(stream->find('\x07'), std::string::npos) << *stream;
        EXPECT_EQ(stream->find("\nSummary: 0"), std::string::npos) << *stream;
    }
    EXPECT_TRUE(Contains(text.err, "W\xc3\xa4nde\\x1b]0;x\\x07.bmp")) << text.err;
}

}  // namespace
}  // namespace orvandel::testing
