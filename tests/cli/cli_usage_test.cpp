#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/position_arguments.h"
#include "cli/view_picture_output.h"
#include "cli_runner.h"
#include "support/temp_folder.h"

namespace orvandel::testing {
namespace {

using cli::ParseCellArgument;
using cli::ParsePlacementArgument;
using cli::ViewerPlacement;

TEST(CliArguments, PlacementAcceptsMapSquaresAndTheFourFacings) {
    EXPECT_EQ(ParsePlacementArgument("7,7,N"), (ViewerPlacement{7, 7, 0}));
    EXPECT_EQ(ParsePlacementArgument("0,15,E"), (ViewerPlacement{0, 15, 1}));
    EXPECT_EQ(ParsePlacementArgument("15,0,s"), (ViewerPlacement{15, 0, 2}));
    EXPECT_EQ(ParsePlacementArgument("3,4,W"), (ViewerPlacement{3, 4, 3}));
}

TEST(CliArguments, PlacementRefusesAnythingElse) {
    for (const char* text : {"", "7,7", "7,7,N,1", "16,7,N", "7,-1,N", "7,7,X", "7,7,NE", "a,7,N",
                             " 7,7,N", "7 ,7,N", "+7,7,N", "7,,N", "99999999999,7,N", "7,7,"}) {
        EXPECT_FALSE(ParsePlacementArgument(text)) << text;
    }
}

TEST(CliArguments, CellIsTwoCoordinatesInsideTheMap) {
    EXPECT_EQ(ParseCellArgument("0,0"), (Point{0, 0}));
    EXPECT_EQ(ParseCellArgument("15,9"), (Point{15, 9}));
    for (const char* text : {"", "1", "1,2,3", "16,0", "0,16", "-1,0", "1,x", "0x1,2", "1,2 "}) {
        EXPECT_FALSE(ParseCellArgument(text)) << text;
    }
}

TEST(CliArguments, OutputFormatFollowsTheEndingInAnyCase) {
    using cli::ViewPictureFormat;
    EXPECT_EQ(cli::ViewPictureFormatFor("view.bmp"), ViewPictureFormat::kBmp);
    EXPECT_EQ(cli::ViewPictureFormatFor("dir/View.BMP"), ViewPictureFormat::kBmp);
    EXPECT_EQ(cli::ViewPictureFormatFor("view.Png"), ViewPictureFormat::kPng);
    for (const char* name : {"view.gif", "view", "view.bmp.txt", ".bmp", "dir/.png", ""}) {
        EXPECT_FALSE(cli::ViewPictureFormatFor(name)) << name;
    }
}

class CliUsage : public ::testing::Test {
protected:
    void SetUp() override { WriteWallSet(home.path()); }

    // A usage error: status 2, a message, and not one file added to the home folder.
    void ExpectUsageError(const std::vector<std::string>& arguments, const std::string& fragment) {
        const std::vector<std::string> before = FilesIn(home.path());
        const CliResult result = RunCli(home.path(), arguments);
        EXPECT_EQ(result.status, 2) << result.err;
        EXPECT_NE(result.err.find(fragment), std::string::npos) << result.err;
        EXPECT_EQ(FilesIn(home.path()), before);
    }

    TempFolder home;
};

TEST_F(CliUsage, HelpAndVersionSucceedOnStandardOutput) {
    const CliResult help = RunCli(home.path(), {"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"export", "render", "check"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << help.out;
    }
    const CliResult renderHelp = RunCli(home.path(), {"render", "--help"});
    EXPECT_EQ(renderHelp.status, 0);
    EXPECT_NE(renderHelp.out.find("--toggle"), std::string::npos) << renderHelp.out;

    const CliResult version = RunCli(home.path(), {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find(ORVANDEL_VERSION_TEXT), std::string::npos) << version.out;
}

TEST_F(CliUsage, EverySubcommandsHelpListsItsOptionsWithAnExample) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
        {"export", {"--output", "--strict", "--quiet", "--home", "Example: orvandel-cli export"}},
        {"render", {"--at", "--output", "--quiet", "Example: orvandel-cli render"}},
        {"check", {"--strict", "--quiet", "Example: orvandel-cli check"}},
        {"pieces", {"-0", "Example: orvandel-cli pieces"}},
        {"palette", {"--output", "Example: orvandel-cli palette"}},
    };
    for (const auto& [command, expected] : commands) {
        const CliResult help = RunCli(home.path(), {command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        for (const std::string& text : expected) {
            EXPECT_NE(help.out.find(text), std::string::npos) << command << ": " << text;
        }
    }
}

TEST_F(CliUsage, PiecesListsTheExportsNamesForScripts) {
    const CliResult lines = RunCli(home.path(), {"pieces"});
    EXPECT_EQ(lines.out.rfind("Wall_D3LL.bmp\nWall_D3LL`.bmp\nWall_D3RR.bmp\n", 0), 0u);
    EXPECT_EQ(std::count(lines.out.begin(), lines.out.end(), '\n'), 28);
    std::string nulSeparated = lines.out;
    std::replace(nulSeparated.begin(), nulSeparated.end(), '\n', '\0');
    EXPECT_EQ(RunCli(home.path(), {"pieces", "-0"}).out, nulSeparated);
}

TEST_F(CliUsage, BadArgumentsAreRefusedBeforeAnythingIsWritten) {
    ExpectUsageError({}, "A subcommand");
    ExpectUsageError({"paint"}, "unknown command 'paint'");
    ExpectUsageError({"export", "--frobnicate"}, "--frobnicate");
    ExpectUsageError({"export", "a.Pelorim", "b.Pelorim"}, "b.Pelorim");
    ExpectUsageError({"render"}, "--output");
    ExpectUsageError({"render", "--output", "view.gif"}, "view.gif");
    ExpectUsageError({"render", "--output", "view"}, ".bmp or .png");
    ExpectUsageError({"render", "--at", "16,7,N", "--output", "v.bmp"}, "--at '16,7,N'");
    ExpectUsageError({"render", "--at", "7,7,Q", "--output", "v.bmp"}, "--at");
    ExpectUsageError({"render", "--toggle", "3", "--output", "v.bmp"}, "--toggle '3'");
    ExpectUsageError({"render", "--toggle", "1,1", "--toggle", "1,99", "--output", "v.bmp"},
                     "--toggle '1,99'");
    ExpectUsageError({"check", "--home"}, "--home");
}

TEST_F(CliUsage, TheHomeFolderMustExistAndBeAFolder) {
    ExpectUsageError({"export", "--home", "no-such-folder"}, "'no-such-folder' does not exist");
    ExpectUsageError({"export", "--home", "wallpalette.pal"}, "'wallpalette.pal' is not a folder");
}

TEST_F(CliUsage, AWallSetFileThatCannotBeOpenedIsAUsageError) {
    ExpectUsageError({"export", "missing.Pelorim"}, "missing.Pelorim");
    // A name after a --toggle is the wall-set file, not a second cell.
    ExpectUsageError({"render", "--output", "v.bmp", "--toggle", "3,4", "missing.Pelorim"},
                     "missing.Pelorim");
    std::filesystem::create_directory(home / "folder.Pelorim");
    ExpectUsageError({"export", "folder.Pelorim"}, "folder.Pelorim");
    // Opening a FIFO for reading would wait for a writer for ever.
    ASSERT_EQ(::mkfifo((home / "fifo.Pelorim").c_str(), 0600), 0);
    ExpectUsageError({"render", "--output", "v.bmp", "fifo.Pelorim"}, "fifo.Pelorim");
}

TEST_F(CliUsage, ABadMapIsRefusedWithItsLineAndColumn) {
    std::string map;
    for (int line = 0; line < 16; ++line) {
        map += line == 2 ? "####.x##########\n" : "################\n";
    }
    WriteFileText(home / "bad.map", map);
    ExpectUsageError({"render", "--map", "bad.map", "--output", "v.bmp"}, "line 3, column 6");
    WriteFileText(home / "short.map", "################\n");
    ExpectUsageError({"render", "--map", "short.map", "--output", "v.bmp"}, "short.map");
    ExpectUsageError({"render", "--map", "absent.map", "--output", "v.bmp"}, "absent.map");
    ExpectUsageError({"render", "--map", ".", "--output", "v.bmp"}, "is a folder, not a file");
}

}  // namespace
}  // namespace orvandel::testing
