#include "core/report/report_json.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "core/session/wall_set_session.h"
#include "core/wallset/wallset_keys.h"
#include "support/json_schema.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

using testing::TempFolder;

// The streamed report against the plain JSON values it stands in for, on a set whose pictures
// have no, few and thousands of approximated colours, and a name that holds the key's text.
TEST(ReportJson, TheStreamedReportIsTheSameJsonAndMatchesTheSchema) {
    TempFolder home;
    const Palette16 palette = testing::TestPalette();
    testing::WriteFileBytes(
        home / kPaletteFileName,
        testing::MakeRiffPalette({palette.colours().begin(), palette.colours().end()}));
    testing::WriteFileText(home / "set.Pelorim", "[BMP]\n0084=\"approximated_colours\": [].bmp\n");
    for (std::size_t slot = 0; slot < 6; ++slot) {
        const NeededSize size = NeededSizeOfSlot(static_cast<int>(slot));
        std::vector<Colour> pixels(static_cast<std::size_t>(size.width * size.height), palette[2]);
        for (std::size_t i = 0; i < pixels.size() && slot >= 2; i += slot == 2 ? 1 : 97) {
            pixels[i] = (static_cast<Colour>(i) * 2654435761u) & 0xFFFFFFu;
        }
        const std::string name = slot == 0 ? "\"approximated_colours\": [].bmp"
                                           : std::string(kWallSetKeys[slot].defaultName);
        testing::WriteFileBytes(home / name, testing::MakeBmp(size.width, size.height, 24, pixels));
    }
    WallSetSession session(home.path());
    ASSERT_TRUE(session.Open(home / "set.Pelorim").ok());
    session.Load();
    const WallSetReport report = session.ReportWithColourLists();
    ASSERT_GT(report.pictures[2].approximatedColours.size(), 1000u);
    std::ostringstream streamed;
    WriteWallSetReportJson(streamed, report, home.path(), home / "set.Pelorim", 1);
    const nlohmann::json expected = nlohmann::json::parse(
        WallSetReportJson(report, home.path(), home / "set.Pelorim", 1).dump());
    EXPECT_EQ(nlohmann::json::parse(streamed.str()), expected);
    EXPECT_EQ(testing::ReportSchemaViolations(streamed.str()), std::vector<std::string>{});
    EXPECT_EQ(streamed.str().back(), '\n');
}

// The validator itself must fail what the schema forbids, or every check above passes blindly.
TEST(ReportJson, TheSchemaCheckRefusesBrokenReports) {
    TempFolder home;
    WallSetSession session(home.path());
    session.Load();
    const nlohmann::json good =
        nlohmann::json::parse(WallSetReportJson(session.report(), home.path(), {}, 1).dump());
    EXPECT_EQ(testing::SchemaViolations(good, testing::CheckReportSchema()),
              std::vector<std::string>{});
    const auto spoiled = [&good](auto change) {
        nlohmann::json report = good;
        change(report);
        return testing::SchemaViolations(report, testing::CheckReportSchema()).size();
    };
    EXPECT_EQ(spoiled([](nlohmann::json& r) { r.erase("format"); }), 1u);
    EXPECT_EQ(spoiled([](nlohmann::json& r) { r["format"] = 2; }), 1u);
    EXPECT_EQ(spoiled([](nlohmann::json& r) {
                  r["pictures"][0]["problems"] = {{{"code", "x"}}};
              }),
              2u);
    EXPECT_EQ(spoiled([](nlohmann::json& r) { r["pieces"].erase(0); }), 1u);
    EXPECT_EQ(spoiled([](nlohmann::json& r) { r["pieces"][3]["file"] = "Wall_D1.png"; }), 1u);
    EXPECT_EQ(spoiled([](nlohmann::json& r) { r["palette"]["path"] = 7; }), 1u);
}

}  // namespace
}  // namespace orvandel
