#include "core/session/wall_set_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/wallset/wallset_keys.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel::testing {
namespace {

namespace fs = std::filesystem;

// A home folder with the palette and six small one-colour pictures under their default names.
class SessionTest : public ::testing::Test {
protected:
    SessionTest() {
        const auto colours = TestPalette().colours();
        WriteFileBytes(home / kPaletteFileName,
                       MakeRiffPalette(std::vector<Colour>(colours.begin(), colours.end())));
        for (const WallSetKey& key : kWallSetKeys) {
            WriteFileBytes(home / key.defaultName,
                           MakeBmp(40, 140, 24, std::vector<Colour>(40 * 140, colours[3])));
        }
    }

    static void ExpectNotices(const SessionReport& report,
                              const std::vector<std::pair<Severity, std::string>>& expected) {
        ASSERT_EQ(report.notices.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(report.notices[i].severity, expected[i].first) << "notice " << i;
            EXPECT_EQ(report.notices[i].text, expected[i].second) << "notice " << i;
        }
    }

    TempFolder home;
    WallSetSession session{home.path()};
};

TEST_F(SessionTest, ACompleteSetLoadsAndExportsWithOnlyTheFinishedNotice) {
    const SessionReport loaded = session.Load();
    EXPECT_EQ(loaded.outcome, Outcome::Done);
    EXPECT_TRUE(loaded.notices.empty());

    EXPECT_EQ(session.ExportConfirmation(),
              "Export the contents to folder '" + home.path().string() + "'.\n\nDo you proceed?");
    const SessionReport exported = session.Export();
    EXPECT_EQ(exported.outcome, Outcome::Done);
    ExpectNotices(exported, {{Severity::Information, "export finished"}});
    EXPECT_TRUE(fs::exists(home / "Wall_D0`.bmp"));

    ExpectNotices(WallSetSession::ExportCancelled(), {{Severity::Warning, "Export cancelled"}});
}

TEST_F(SessionTest, FailedPicturesAreListedWithTheirReasonsInTheDetails) {
    fs::remove(home / kWallSetKeys[1].defaultName);
    WriteFileText(home / kWallSetKeys[4].defaultName, "not a picture");
    const SessionReport report = session.Load();

    EXPECT_EQ(report.outcome, Outcome::Failed);
    const std::string list =
        std::string(kWallSetKeys[1].defaultName) + "\n" + kWallSetKeys[4].defaultName + "\n";
    ExpectNotices(report, {{Severity::Warning,
                            "The following bitmap file(s) failed to be read: \n\n" + list}});
    const std::vector<std::string>& details = report.notices[0].details;
    ASSERT_EQ(details.size(), 2u);
    // A missing file says where it was looked for.
    EXPECT_EQ(details[0], std::string(kWallSetKeys[1].defaultName) + ": missing file (looked in '" +
                              home.path().string() + "')");
    EXPECT_EQ(details[1].rfind(std::string(kWallSetKeys[4].defaultName) + ": ", 0), 0u);
    EXPECT_FALSE(session.wallSet().images[0].IsEmpty());
    EXPECT_TRUE(session.wallSet().images[1].IsEmpty());
}

TEST_F(SessionTest, AFailedPaletteIsTheOnlyNoticeAndKeepsThePreviousColours) {
    ASSERT_TRUE(session.Load().ok());
    const Palette16 before = session.wallSet().palette;
    WriteFileText(home / kPaletteFileName, "JASC-PAL");

    const SessionReport report = session.Load();
    EXPECT_EQ(report.outcome, Outcome::Failed);
    ExpectNotices(report,
                  {{Severity::Warning, "A palette file 'wallpalette.pal' failed to be read!"}});
    ASSERT_EQ(report.notices[0].details.size(), 1u);
    EXPECT_EQ(report.notices[0].details[0].rfind("wallpalette.pal: ", 0), 0u);
    EXPECT_EQ(session.wallSet().palette, before);
    EXPECT_TRUE(session.wallSet().images[0].IsEmpty());
}

TEST_F(SessionTest, AnExportThatPartlyFailsListsTheFilesThenFinishes) {
    ASSERT_TRUE(session.Load().ok());
    fs::create_directory(home / "Wall_D2.bmp");  // a folder in the way of one picture
    const SessionReport report = session.Export();

    EXPECT_EQ(report.outcome, Outcome::Failed);
    ExpectNotices(report, {{Severity::Warning,
                            "The following picture(s) failed to be exported:\n\nWall_D2.bmp\n"},
                           {Severity::Information, "export finished"}});
    EXPECT_TRUE(fs::is_regular_file(home / "Wall_D2`.bmp"));
}

TEST_F(SessionTest, AWallSetFileThatCannotBeOpenedIsRefusedAndTheDocumentStays) {
    WriteFileText(home / "walls.Pelorim", "[BMP]\n0084=right.bmp\n");
    ASSERT_TRUE(session.Open("walls.Pelorim").ok());  // relative names start at home
    EXPECT_EQ(session.document().path(), home / "walls.Pelorim");

    const SessionReport report = session.Open("sub/../missing.Pelorim");
    EXPECT_EQ(report.outcome, Outcome::Refused);
    ExpectNotices(report,
                  {{Severity::Warning, "The wall-set file '" + (home / "missing.Pelorim").string() +
                                           "' cannot be opened.\n\nmissing file"}});
    EXPECT_EQ(session.document().path(), home / "walls.Pelorim");
}

TEST_F(SessionTest, ALiveReloadKeepsTheLastGoodFilesAndSaysWhichFailed) {
    ASSERT_TRUE(session.Load().ok());
    const Palette16 palette = session.wallSet().palette;
    // Caught half written: a picture and then the palette.
    const std::vector<unsigned char> good = ReadFileBytes(home / kWallSetKeys[2].defaultName);
    WriteFileBytes(home / kWallSetKeys[2].defaultName,
                   std::vector<unsigned char>(good.begin(), good.begin() + 30));
    SessionReport reloaded = session.LiveReload();
    EXPECT_EQ(reloaded.outcome, Outcome::Failed);
    ExpectNotices(reloaded, {{Severity::Warning, std::string(messages::kLiveReloadKept)}});
    ASSERT_EQ(reloaded.notices[0].details.size(), 1u);
    EXPECT_EQ(reloaded.notices[0].details[0].rfind(kWallSetKeys[2].defaultName, 0), 0u);
    EXPECT_EQ(session.wallSet().images[2].width(), 40);

    WriteFileText(home / kPaletteFileName, "RIFF");
    reloaded = session.LiveReload();
    EXPECT_EQ(reloaded.notices[0].details.at(0).rfind("wallpalette.pal: ", 0), 0u);
    EXPECT_EQ(session.wallSet().palette, palette);
    for (int slot = 0; slot < 6; ++slot) {
        EXPECT_FALSE(session.wallSet().images[static_cast<std::size_t>(slot)].IsEmpty()) << slot;
    }

    // Fixed again: everything loads and there is nothing left to say.
    const auto colours = TestPalette().colours();
    WriteFileBytes(home / kPaletteFileName,
                   MakeRiffPalette(std::vector<Colour>(colours.begin(), colours.end())));
    WriteFileBytes(home / kWallSetKeys[2].defaultName,
                   MakeBmp(20, 10, 24, std::vector<Colour>(20 * 10, colours[5])));
    EXPECT_TRUE(session.LiveReload().notices.empty());
    EXPECT_EQ(session.wallSet().images[2].width(), 20);
}

TEST_F(SessionTest, PicturesMissingAtHomeAreFoundBesideTheWallSetFile) {
    TempFolder elsewhere;
    WriteFileText(elsewhere / "set.Pelorim", "[BMP]\n0084=right.bmp\n0085=nowhere.bmp\n");
    fs::rename(home / kWallSetKeys[0].defaultName, elsewhere / "right.bmp");
    // The home folder keeps its say: its palette wins over one beside the file.
    WriteFileText(elsewhere / kPaletteFileName, "not a palette");
    ASSERT_TRUE(session.Open(elsewhere / "set.Pelorim").ok());

    const SessionReport loaded = session.Load();
    EXPECT_TRUE(session.lastLoad().paletteLoaded);
    EXPECT_FALSE(session.wallSet().images[0].IsEmpty());
    ASSERT_EQ(loaded.notices.size(), 1u);
    EXPECT_EQ(loaded.notices[0].text, messages::BitmapsFailed("nowhere.bmp\n"));
    EXPECT_EQ(
        loaded.notices[0].details,
        std::vector<std::string>{"nowhere.bmp: missing file (looked in '" + home.path().string() +
                                 "' and '" + elsewhere.path().string() + "')"});

    const WallSetSession::Inputs inputs = session.InputFiles();
    const std::vector<fs::path> expectedFiles = {elsewhere / "set.Pelorim", home / kPaletteFileName,
                                                 elsewhere / "right.bmp",
                                                 home / kWallSetKeys[2].defaultName};
    for (const fs::path& file : expectedFiles) {
        EXPECT_NE(std::find(inputs.files.begin(), inputs.files.end(), file), inputs.files.end())
            << file;
    }
    EXPECT_EQ(inputs.files.size(), 7u);  // the set, the palette, five pictures found
    EXPECT_EQ(inputs.folders, (std::vector<fs::path>{elsewhere.path(), home.path()}));
}

}  // namespace
}  // namespace orvandel::testing

namespace orvandel::testing {
namespace {

// The view keeps the last good palette after a reload that missed the file; the refusal says
// so instead of contradicting what the artist sees.
TEST_F(SessionTest, AnExportAfterAReloadThatMissedThePaletteSaysWhy) {
    ASSERT_TRUE(session.Load().ok());
    fs::remove(home / kPaletteFileName);
    session.LiveReload();
    const SessionReport refused = session.Export();
    EXPECT_EQ(refused.outcome, Outcome::Failed);
    ASSERT_EQ(refused.notices.size(), 1u);
    EXPECT_EQ(
        refused.notices[0].text.rfind(messages::ExportAfterMissedPalette("").substr(0, 80), 0), 0u)
        << refused.notices[0].text;
    EXPECT_FALSE(fs::exists(home / "Wall_D1.bmp"));
    // A load that shows the failure in its own box keeps the plain refusal.
    session.Load();
    EXPECT_EQ(session.Export().notices.at(0).text.rfind(messages::kPaletteFailed, 0), 0u);
}

// Names in a Windows code page find pictures stored under their UTF-8 names, and under the
// very bytes too.
TEST_F(SessionTest, NamesInAWindowsCodePageAreFoundEitherWay) {
    fs::rename(home / kWallSetKeys[2].defaultName,
               home.path() / PathFromUtf8("W\xc3\xa4nde \xe2\x82\xac.bmp"));
    // Raw bytes as a name: Linux keeps them; Windows reads them in its code page.
    fs::rename(home / kWallSetKeys[3].defaultName, home.path() / fs::path("Mauer\xe4.bmp"));
    WriteFileText(home / "set.Pelorim",
                  "[BMP]\r\n0086=W\xe4nde \x80.bmp\r\n0087=Mauer\xe4.bmp\r\n");
    ASSERT_TRUE(session.Open(home / "set.Pelorim").ok());
    const SessionReport loaded = session.Load();
    EXPECT_TRUE(loaded.ok()) << (loaded.notices.empty() ? "" : loaded.notices[0].DetailText());
    EXPECT_EQ(session.lastLoad().names[2], "W\xc3\xa4nde \xe2\x82\xac.bmp");
}

// make splits names at blanks, starts comments at '#' and expands '$': the dependency file
// escapes each, names the target first and gives every file an empty rule of its own.
TEST(DependencyFile, EscapesNamesForMakeAndGivesEveryFileAnEmptyRule) {
    const std::string text = DependencyFileText(
        "out/.exported", {"/o/Wall_D0`.bmp"},
        {"/a/set #1.Pelorim", "/a/cost$.pal", "/a/0084 [Wall (Right Side 0)] .bmp"});
    EXPECT_EQ(text,
              "out/.exported: \\\n"
              "  /a/set\\ \\#1.Pelorim \\\n"
              "  /a/cost$$.pal \\\n"
              "  /a/0084\\ [Wall\\ (Right\\ Side\\ 0)]\\ .bmp \\\n"
              "  /o/Wall_D0`.bmp\n"
              "\n/a/set\\ \\#1.Pelorim:\n"
              "\n/a/cost$$.pal:\n"
              "\n/a/0084\\ [Wall\\ (Right\\ Side\\ 0)]\\ .bmp:\n"
              "\n/o/Wall_D0`.bmp:\n");
}

}  // namespace
}  // namespace orvandel::testing
