#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "core/image/indexed_image.h"
#include "support/json_schema.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel::testing {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

bool Contains(const std::string& text, const std::string& fragment) {
    return text.find(fragment) != std::string::npos;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

std::vector<std::string> Codes(const Json& picture) {
    std::vector<std::string> codes;
    for (const Json& problem : picture.at("problems")) {
        codes.push_back(problem.at("code"));
    }
    return codes;
}

// 16 x 49 far-left picture: 100 pixels that become see-through, the rest palette colours.
void MakeSeeThrough(const fs::path& home) {
    const Palette16 palette = TestPalette();
    std::vector<Colour> pixels(16 * 49, palette[3]);
    std::fill_n(pixels.begin(), 100, palette[10] ^ 0x1u);
    WriteFileBytes(DefaultPicturePath(home, 5), MakeBmp(16, 49, 24, pixels));
}

// Every report validates against the schema, failures included, and tells its own exit status.
TEST(CliPipeline, EveryJsonReportMatchesTheSchemaAndItsExitStatus) {
    struct Case {
        const char* name;
        void (*spoil)(const fs::path&);
        std::vector<std::vector<std::string>> codes;  // per slot
    };
    const Case cases[] = {
        {"good", [](const fs::path&) {}, {{}, {}, {}, {}, {}, {}}},
        {"see-through",
         MakeSeeThrough,
         {{}, {}, {}, {}, {}, {"picture.approximated", "picture.see_through"}}},
        {"too small",
         [](const fs::path& home) {
             WriteFileBytes(DefaultPicturePath(home, 4), MakePatternBmp(100, 40, 4));
         },
         {{}, {}, {}, {}, {"picture.too_small"}, {}}},
        {"missing and unreadable",
         [](const fs::path& home) {
             fs::remove(DefaultPicturePath(home, 0));
             WriteFileText(DefaultPicturePath(home, 1), "not a picture");
         },
         {{"picture.missing"}, {"picture.unreadable"}, {}, {}, {}, {}}},
        {"broken palette",
         [](const fs::path& home) { WriteFileText(home / "wallpalette.pal", "RIFF"); },
         {{"picture.not_matched"},
          {"picture.not_matched"},
          {"picture.not_matched"},
          {"picture.not_matched"},
          {"picture.not_matched"},
          {"picture.not_matched"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder home;
        WriteWallSet(home.path());
        c.spoil(home.path());
        for (const bool strict : {false, true}) {
            std::vector<std::string> arguments{"check", "--json"};
            if (strict) {
                arguments.push_back("--strict");
            }
            const CliResult result = RunCli(home.path(), arguments);
            EXPECT_EQ(ReportSchemaViolations(result.out), std::vector<std::string>{});
            const Json report = Json::parse(result.out);
            EXPECT_EQ(report.at("exit_status"), result.status);
            for (std::size_t slot = 0; slot < 6; ++slot) {
                EXPECT_EQ(Codes(report.at("pictures")[slot]), c.codes[slot]) << slot;
            }
        }
    }
}

TEST(CliPipeline, JsonNamesResolvedPathsAndExportFiles) {
    TempFolder home;
    WriteWallSet(home.path());
    fs::remove(DefaultPicturePath(home.path(), 2));
    const Json report = Json::parse(RunCli(home.path(), {"check", "--json"}).out);
    EXPECT_EQ(report.at("pictures")[0].at("path"),
              fs::canonical(DefaultPicturePath(home.path(), 0)).string());
    EXPECT_TRUE(report.at("pictures")[2].at("path").is_null());
    const Json& pieces = report.at("pieces");
    EXPECT_EQ(pieces[0].at("file"), "Wall_D3LL.bmp");
    EXPECT_EQ(pieces[1].at("file"), "Wall_D3LL`.bmp");
    int undrawn = 0;
    for (const Json& piece : pieces) {
        undrawn += piece.at("drawn") ? 0 : 1;
        EXPECT_EQ(piece.at("drawn"), !piece.at("empty_slot").get<bool>());
    }
    EXPECT_EQ(undrawn, 1);
}

// A build log gets one line per problem, naming the file; a terminal keeps its layout.
TEST(CliPipeline, DiagnosticsAreOneLineEachNamingTheFile) {
    TempFolder home;
    WriteWallSet(home.path());
    fs::create_directory(home / "art");
    WriteFileText(home / "wallpalette.pal", "RIFF");
    fs::remove(DefaultPicturePath(home.path(), 3));
    const CliResult lines = RunCli(home.path(), {"check", "-q"});
    EXPECT_EQ(lines.status, 1);
    const std::vector<std::string> errors = Lines(lines.err);
    ASSERT_EQ(errors.size(), 2u) << lines.err;
    EXPECT_TRUE(errors[0].starts_with("wallpalette.pal: error: ")) << errors[0];
    EXPECT_TRUE(
        errors[1].starts_with("0087 [Dungeon Graphics - Wall (Front and Sides 2)] .bmp: "
                              "error: missing file"))
        << errors[1];

    const CliResult block = RunCli(home.path(), {"check", "-q", "--diagnostics=block"});
    EXPECT_EQ(block.status, 1);
    EXPECT_TRUE(Contains(block.err, "\n\nwallpalette.pal: ")) << block.err;
    EXPECT_EQ(RunCli(home.path(), {"check", "--diagnostics=fancy"}).status, 2);
}

// A non-strict export ships broken sets, but says so, one line each, and still succeeds.
TEST(CliPipeline, NonStrictExportWarnsAboutSeeThroughAndUncoveredPieces) {
    TempFolder home;
    WriteWallSet(home.path());
    MakeSeeThrough(home.path());
    WriteFileBytes(DefaultPicturePath(home.path(), 4), MakePatternBmp(100, 40, 4));
    const CliResult result = RunCli(home.path(), {"export", "-q", "--output", "out"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
    int seeThrough = 0;
    int uncovered = 0;
    for (const std::string& line : Lines(result.err)) {
        EXPECT_TRUE(Contains(line, ": warning: ")) << line;
        seeThrough += Contains(line, "0089 [") && Contains(line, "100 pixel(s) became see-through");
        uncovered += Contains(line, "0088 [") && Contains(line, "not fully covered");
    }
    EXPECT_EQ(seeThrough, 1) << result.err;
    EXPECT_GT(uncovered, 0) << result.err;
    EXPECT_EQ(FilesIn(home / "out").size(), 28u);
}

TEST(CliPipeline, AnUnsyncedExportWritesTheSameFiles) {
    TempFolder home;
    WriteWallSet(home.path());
    ASSERT_EQ(RunCli(home.path(), {"export", "--output", "synced"}).status, 0);
    const CliResult unsynced = RunCli(home.path(), {"export", "--no-sync", "--output", "fast"});
    ASSERT_EQ(unsynced.status, 0) << unsynced.err;
    for (const std::string& name : FilesIn(home / "synced")) {
        EXPECT_EQ(ReadFileBytes(home / "fast" / name), ReadFileBytes(home / "synced" / name))
            << name;
    }
    EXPECT_EQ(FilesIn(home / "fast"), FilesIn(home / "synced"));
    EXPECT_EQ(RunCli(home.path(), {"render", "--no-sync", "--output", "v.bmp"}).status, 0);
    EXPECT_TRUE(fs::exists(home / "v.bmp"));
}

}  // namespace
}  // namespace orvandel::testing
