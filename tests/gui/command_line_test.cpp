#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "desk/desk_command_line.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, AcceptsNothingOrOneWallSetFile) {
    EXPECT_EQ(ParseCommandLine({}).action, Action::Run);
    EXPECT_EQ(ParseCommandLine({}).wallSetFile, "");

    const CommandLine one = ParseCommandLine({"dungeon.Pelorim"});
    EXPECT_EQ(one.action, Action::Run);
    EXPECT_EQ(one.wallSetFile, "dungeon.Pelorim");

    // A name that looks like an option still opens after "--".
    const CommandLine dashed = ParseCommandLine({"--", "-odd.Pelorim"});
    EXPECT_EQ(dashed.action, Action::Run);
    EXPECT_EQ(dashed.wallSetFile, "-odd.Pelorim");
}

TEST(CommandLineTest, RefusesMoreThanOneFileAndUnknownOptions) {
    const CommandLine two = ParseCommandLine({"a.Pelorim", "b.Pelorim"});
    EXPECT_EQ(two.action, Action::UsageError);
    EXPECT_FALSE(two.error.empty());

    EXPECT_EQ(ParseCommandLine({"--", "a.Pelorim", "b.Pelorim"}).action, Action::UsageError);
    EXPECT_EQ(ParseCommandLine({"--frobnicate"}).action, Action::UsageError);
    // Only orvandel.exe registers the file type itself.
    EXPECT_EQ(ParseCommandLine({"--register"}).action, Action::UsageError);
    EXPECT_EQ(ParseCommandLine({"-x", "a.Pelorim"}).action, Action::UsageError);
}

TEST(CommandLineTest, HelpAndVersionWinOverEverythingElse) {
    EXPECT_EQ(ParseCommandLine({"--help"}).action, Action::Help);
    EXPECT_EQ(ParseCommandLine({"-h"}).action, Action::Help);
    EXPECT_EQ(ParseCommandLine({"a.Pelorim", "--version"}).action, Action::Version);
    // After "--" they are file names.
    EXPECT_EQ(ParseCommandLine({"--", "--help"}).wallSetFile, "--help");

    EXPECT_NE(HelpText().find("Usage: orvandel [--no-watch] [--home-from-file] [WALLSET | FOLDER]"),
              std::string::npos);
    EXPECT_EQ(VersionText("1.0").rfind("orvandel ", 0), 0u);
}

TEST(StartPlanTest, FoldersAndFilesResolveToAHomeAndAWallSet) {
    namespace fs = std::filesystem;
    testing::TempFolder start;
    testing::TempFolder one;
    testing::TempFolder two;
    testing::WriteFileText(one / "set.PELORIM", "[BMP]\n");
    testing::WriteFileText(one / "notes.txt", "");
    testing::WriteFileText(two / "a.Pelorim", "");
    testing::WriteFileText(two / "b.Pelorim", "");
    const std::string startFolder = start.path().string();
    struct Case {
        std::vector<std::string> arguments;
        fs::path home;
        fs::path wallSet;
    };
    const Case cases[] = {
        {{}, start.path(), {}},
        // A file from a terminal: the starting folder stays home, as it always was.
        {{(one / "set.PELORIM").string()}, start.path(), one / "set.PELORIM"},
        {{"--home-from-file", (one / "set.PELORIM").string()}, one.path(), one / "set.PELORIM"},
        {{one.path().string()}, one.path(), one / "set.PELORIM"},
        {{one.path().string() + "/"}, one.path(), one / "set.PELORIM"},
        {{two.path().string()}, two.path(), {}},  // two files: no obvious choice
        {{"--no-watch", "--home-from-file", two.path().string()}, two.path(), {}},
    };
    for (const Case& c : cases) {
        const CommandLine commandLine = ParseCommandLine(c.arguments);
        EXPECT_EQ(commandLine.watch, c.arguments.empty() || c.arguments[0] != "--no-watch");
        const StartPlan plan = PlanStart(commandLine, startFolder);
        EXPECT_EQ(plan.homeFolder, c.home.string()) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(plan.wallSetFile, c.wallSet.string()) << ::testing::PrintToString(c.arguments);
    }
}

TEST(StartPlanTest, TheDesktopEntryMakesTheOpenedFilesFolderHome) {
    std::ifstream entry(ORVANDEL_SOURCE_DIR "/src/gui/desktop/io.github.orvandel.Orvandel.desktop");
    ASSERT_TRUE(entry.is_open());
    std::string line;
    std::vector<std::string> arguments;
    while (std::getline(entry, line)) {
        if (line.rfind("Exec=", 0) == 0) {
            std::istringstream words(line.substr(5));
            for (std::string word; words >> word;) {
                arguments.push_back(word);
            }
        }
    }
    ASSERT_GE(arguments.size(), 2u);
    testing::TempFolder browsed;
    testing::TempFolder launcher;
    const std::string file = (browsed / "set.Pelorim").string();
    arguments.erase(arguments.begin());  // the program
    std::replace(arguments.begin(), arguments.end(), std::string("%f"), file);
    const StartPlan plan = PlanStart(ParseCommandLine(arguments), launcher.path().string());
    EXPECT_EQ(plan.homeFolder, browsed.path().string());
    EXPECT_EQ(plan.wallSetFile, file);
}

}  // namespace
}  // namespace orvandel
