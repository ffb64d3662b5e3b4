#include <gtest/gtest.h>

#include "gui/command_line.h"

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
    EXPECT_EQ(ParseCommandLine({"-x", "a.Pelorim"}).action, Action::UsageError);
}

TEST(CommandLineTest, HelpAndVersionWinOverEverythingElse) {
    EXPECT_EQ(ParseCommandLine({"--help"}).action, Action::Help);
    EXPECT_EQ(ParseCommandLine({"-h"}).action, Action::Help);
    EXPECT_EQ(ParseCommandLine({"a.Pelorim", "--version"}).action, Action::Version);
    // After "--" they are file names.
    EXPECT_EQ(ParseCommandLine({"--", "--help"}).wallSetFile, "--help");

    EXPECT_NE(HelpText().find("Usage: orvandel [--no-watch] [--home-from-file] [WALLSET | FOLDER]"), std::string::npos);
    EXPECT_EQ(VersionText().rfind("orvandel ", 0), 0u);
}

}  // namespace
}  // namespace orvandel
