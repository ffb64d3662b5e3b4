#include "core/session/wall_set_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

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
    EXPECT_EQ(details[0], std::string(kWallSetKeys[1].defaultName) + ": missing file");
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

TEST_F(SessionTest, AFailedPaletteStillNamesEveryFailedPictureInTheDetails) {
    WriteFileText(home / kPaletteFileName, "garbage");
    fs::remove(home / kWallSetKeys[3].defaultName);
    const SessionReport report = session.Load();

    ExpectNotices(report,
                  {{Severity::Warning, "A palette file 'wallpalette.pal' failed to be read!"}});
    const std::vector<std::string>& details = report.notices[0].details;
    ASSERT_EQ(details.size(), 2u);
    EXPECT_EQ(details[1], std::string(kWallSetKeys[3].defaultName) + ": missing file");
    EXPECT_EQ(session.lastLoad().names[0], kWallSetKeys[0].defaultName);
    EXPECT_EQ(session.lastLoad().decodedWithoutPalette[0].sourceWidth, 40);
    for (const CIndexedImage& image : session.wallSet().images) {
        EXPECT_TRUE(image.IsEmpty());
    }
}

// Each of these writes nothing at all, not even the output folder.
TEST_F(SessionTest, ExportsThatMustNotWriteWriteNothing) {
    struct Case {
        const char* what;
        std::function<void(const TempFolder&)> spoil;
        bool strict;
        std::string notice;
    };
    // The small pictures leave some pieces uncovered; each spoiling adds one problem to those.
    ASSERT_TRUE(session.Load().ok());
    const std::string strictNotice = "Nothing was exported: the strict export found " +
                                     std::to_string(session.Findings().strictWarnings.size() + 1) +
                                     " problem(s)";
    const std::vector<Case> cases = {
        {"palette failed, not strict",
         [](const TempFolder& h) { WriteFileText(h / kPaletteFileName, "garbage"); }, false,
         "Nothing was exported: the palette file 'wallpalette.pal' failed to be read"},
        {"approximated colours, strict",
         [](const TempFolder& h) {
             WriteFileBytes(h / kWallSetKeys[2].defaultName,
                            MakeBmp(40, 140, 24, std::vector<Colour>(40 * 140, 0x123456)));
         },
         true, strictNotice},
        {"wall-set file warning, strict",
         [](const TempFolder& h) { WriteFileText(h / "set.Pelorim", "[BMP]\n0090=x.bmp\n"); }, true,
         strictNotice},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        fs::copy(home.path(), folder.path(), fs::copy_options::recursive);
        c.spoil(folder);
        WallSetSession spoilt(folder.path());
        if (fs::exists(folder / "set.Pelorim")) {
            ASSERT_TRUE(spoilt.Open("set.Pelorim").ok());
        }
        spoilt.Load();
        const ExportRun run = spoilt.Export(ExportOptions{"out", c.strict});
        EXPECT_EQ(run.report.outcome, Outcome::Failed) << c.what;
        ASSERT_EQ(run.report.notices.size(), 1u) << c.what;
        EXPECT_EQ(run.report.notices[0].text.rfind(c.notice, 0), 0u)
            << c.what << ": " << run.report.notices[0].text;
        EXPECT_FALSE(run.tally) << c.what;
        EXPECT_FALSE(fs::exists(folder / "out")) << c.what;
    }
}

TEST_F(SessionTest, ExportsIntoAnOutputFolderAndLeavesUnchangedPicturesAlone) {
    ASSERT_TRUE(session.Load().ok());
    const ExportRun first = session.Export(ExportOptions{"build/stone", false});
    ASSERT_TRUE(first.tally);
    EXPECT_EQ(first.tally->folder, (home / "build/stone").string());
    EXPECT_EQ(first.tally->written, 28u);
    EXPECT_FALSE(fs::exists(home / "Wall_D0.bmp"));  // the home folder gets nothing

    const auto piece = home / "build/stone/Wall_D1.bmp";
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24);
    fs::last_write_time(piece, old);
    const ExportRun second = session.Export(ExportOptions{"build/stone", false});
    EXPECT_EQ(second.report.outcome, Outcome::Done);
    EXPECT_EQ(second.tally->written, 0u);
    EXPECT_EQ(second.tally->unchanged, 28u);
    EXPECT_EQ(fs::last_write_time(piece), old);

    WriteFileText(home / "blocked", "a file where the folder should be");
    const ExportRun blocked = session.Export(ExportOptions{"blocked", false});
    EXPECT_EQ(blocked.report.outcome, Outcome::Failed);
    EXPECT_NE(blocked.report.notices[0].text.find("a file is in the way"), std::string::npos);
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

}  // namespace
}  // namespace orvandel::testing
