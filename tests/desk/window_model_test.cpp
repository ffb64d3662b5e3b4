#include "desk/window_model.h"

#include <gtest/gtest.h>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/image/dib_scaling.h"
#include "core/map/map_text.h"
#include "core/report/view_problems.h"
#include "core/view/view_renderer.h"
#include "core/wallset/wallset_keys.h"
#include "model_fixture.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::ModelTest;

std::string Str(std::string_view text) {
    return std::string(text);
}

TEST_F(ModelTest, ReadOutWalkTurnAndSwitchFollowTheActions) {
    EXPECT_EQ(model.PositionText(), "---");
    struct Step {
        DeskAction action;
        const char* readOut;
    };
    const Step steps[] = {
        {DeskAction::MoveForward, "(7,6,N)"}, {DeskAction::TurnRight, "(7,6,E)"},
        {DeskAction::TurnRight, "(7,6,S)"},   {DeskAction::MoveLeft, "(8,6,S)"},
        {DeskAction::MoveBack, "(8,5,S)"},    {DeskAction::TurnLeft, "(8,5,E)"},
        {DeskAction::MoveRight, "(8,6,E)"},
    };
    for (const Step& step : steps) {
        EXPECT_TRUE(model.Act(step.action));
        EXPECT_EQ(model.PositionText(), step.readOut);
    }
    desk.refreshed = 0;
    model.Act(DeskAction::EvenOdd);
    EXPECT_TRUE(model.evenOdd());
    EXPECT_TRUE(model.IsChecked(DeskAction::EvenOdd));
    EXPECT_NE(desk.refreshed & kActionsPart, 0u);
    // The render follows the switch: the same as the core's own render.
    ViewRenderer expected;
    expected.RenderView(session.wallSet(), model.map(), true);
    EXPECT_TRUE(std::equal(expected.viewport().GetBits(), expected.viewport().GetBits() + 224 * 136,
                           model.renderer().viewport().GetBits()));
    EXPECT_FALSE(model.Act(DeskAction::CopyView));  // the front-end's own
}

TEST_F(ModelTest, PreviewTakesTheLargestWholeScaleThatFitsCentred) {
    struct Case {
        int width, height;
        Rect rect;
        int scale;
    };
    const Case cases[] = {
        {224, 136, {0, 0, 224, 136}, 1},   {227, 139, {1, 1, 225, 137}, 1},
        {500, 300, {26, 14, 474, 286}, 2}, {700, 300, {126, 14, 574, 286}, 2},
        {100, 300, {50, 150, 50, 150}, 0}, {1000, 600, {52, 28, 948, 572}, 4},
        {700, 420, {14, 6, 686, 414}, 3},
    };
    for (const Case& c : cases) {
        model.SetPreviewSize(c.width, c.height);
        EXPECT_EQ(model.PreviewLayout().rect, c.rect) << c.width << " x " << c.height;
        EXPECT_EQ(model.PreviewLayout().scale, c.scale);
        const ScreenPicture& picture = model.PreviewPicture();
        EXPECT_EQ(picture.width, c.rect.width());
        EXPECT_EQ(picture.height, c.rect.height());
    }
}

TEST_F(ModelTest, PreviewPictureIsTheViewportEnlargedExactlyWithProblemMarksOnlyWhenAsked) {
    model.SetPreviewSize(700, 420);  // scale 3
    const CPaletteDib& viewport = model.renderer().viewport();
    const std::span<const RgbQuad> table = viewport.colourTable();
    auto expectedAt = [&](int x, int y) {
        const RgbQuad quad = table[viewport.GetBits()[(135 - y) * 224 + x]];
        return 0xFF000000u | std::uint32_t{quad.red} << 16 | std::uint32_t{quad.green} << 8 |
               quad.blue;
    };
    const ScreenPicture& plain = model.PreviewPicture();
    for (const auto& [x, y] : {std::pair{0, 0}, {223, 135}, {100, 50}, {37, 120}}) {
        for (int d = 0; d < 9; ++d) {
            EXPECT_EQ(plain.pixels[static_cast<std::size_t>((3 * y + d / 3) * plain.width + 3 * x +
                                                            d % 3)],
                      expectedAt(x, y));
        }
    }

    // A picture too short for its pieces: hatching shows only with "Show problems", or while
    // its entry is chosen in the problems panel.
    testing::WriteFileBytes(testing::TestPicturePath(home.path(), 0),
                            testing::MakeBmp(40, 100, 24, std::vector<Colour>(4000, 0x102030)));
    model.Act(DeskAction::Reload);
    const auto redPixels = [&] {
        const ScreenPicture& shown = model.PreviewPicture();
        return std::count(shown.pixels.begin(), shown.pixels.end(),
                          0xFF000000u | std::uint32_t{RedOf(kMissingMarkColour)} << 16 |
                              std::uint32_t{GreenOf(kMissingMarkColour)} << 8 |
                              BlueOf(kMissingMarkColour));
    };
    EXPECT_EQ(redPixels(), 0);
    model.Act(DeskAction::ShowProblems);
    const auto all = redPixels();
    EXPECT_GT(all, 0);
    model.Act(DeskAction::ShowProblems);
    ASSERT_FALSE(model.problems().empty());
    EXPECT_EQ(model.problems()[0].kind, ProblemKind::PictureTooSmall);
    model.SelectProblem(0);
    EXPECT_EQ(redPixels(), all);
    model.SelectProblem(std::nullopt);
    EXPECT_EQ(redPixels(), 0);
}

TEST_F(ModelTest, InspectorNamesTheCauseOverFailedPicturesAndPaletteNeverAGoodPicture) {
    // The right side at distance 0 of the initial map is drawn from 0084.
    EXPECT_TRUE(Contains(InspectorAt(200, 40), "0084"));
    EXPECT_TRUE(Contains(InspectorAt(200, 40), "pixel ("));
    EXPECT_EQ(model.StatusText(), model.InspectorText());

    fs::remove(testing::TestPicturePath(home.path(), 0));
    desk.refreshed = 0;
    model.Act(DeskAction::Reload);
    // The pointer did not move, the view changed under it: the answer follows.
    EXPECT_NE(desk.refreshed & kStatusPart, 0u);
    const std::string missing = model.InspectorText();
    EXPECT_TRUE(Contains(missing, "0084")) << missing;
    EXPECT_TRUE(Contains(missing, "did not load: missing file")) << missing;
    EXPECT_FALSE(Contains(missing, "0 x 0")) << missing;

    testing::WriteTestWallSet(home.path());
    testing::WriteFileText(home / "wallpalette.pal", "not a palette at all\n");
    model.Act(DeskAction::Reload);
    ASSERT_EQ(desk.shown.size(), 2u);  // the first reload's box, then the palette's
    EXPECT_EQ(desk.shown[1].text, Str(messages::kPaletteFailed));
    for (const auto& [x, y] : {std::pair{200, 40}, {20, 60}, {112, 68}}) {
        const std::string text = InspectorAt(x, y);
        EXPECT_TRUE(Contains(text, "wallpalette.pal did not load")) << text;
        EXPECT_FALSE(Contains(text, "0 x 0")) << text;
        EXPECT_FALSE(Contains(text, "pixel (")) << text;
    }
    model.PointerAt(std::nullopt);
    EXPECT_TRUE(model.InspectorText().empty());
    EXPECT_TRUE(Contains(model.StatusText(), "wallpalette.pal did not load")) << model.StatusText();
    EXPECT_EQ(model.problems().at(0).kind, ProblemKind::PaletteFailed);
}

TEST_F(ModelTest, ReloadKeepsMapViewerAndSwitchAndTellsTheStatusLineWhatFailed) {
    model.Act(DeskAction::MoveForward);
    model.Act(DeskAction::EvenOdd);
    fs::remove(testing::TestPicturePath(home.path(), 5));
    model.Act(DeskAction::Reload);
    ASSERT_EQ(desk.shown.size(), 1u);
    EXPECT_EQ(desk.shown[0].text,
              Str(messages::kBitmapsFailedHeading) + kWallSetKeys[5].defaultName + "\n");
    EXPECT_EQ(desk.shown[0].caption, "Orvandel");
    EXPECT_EQ(model.PositionText(), "(7,6,N)");
    EXPECT_TRUE(model.evenOdd());
    EXPECT_EQ(model.SummaryText(), "0089 did not load");
    ASSERT_EQ(model.problems().size(), 1u);
    const ProblemEntry& entry = model.problems()[0];
    EXPECT_EQ(entry.slot, 5);
    EXPECT_EQ(entry.file, kWallSetKeys[5].defaultName);
    // A fresh load keeps nothing of a failed picture, and says so.
    EXPECT_TRUE(Contains(entry.Text(), Str(messages::kPiecesMissingFromView))) << entry.Text();
}

TEST_F(ModelTest, ExportAsksFirstOnlyWhenItCouldWriteAndTellsWhatItDidInThePanel) {
    // No: cancelled, nothing written.
    desk.answers = {MessageAnswer::No};
    model.Act(DeskAction::Export);
    ASSERT_EQ(desk.shown.size(), 2u);
    const MessageRequest& question = desk.shown[0];
    EXPECT_EQ(question.caption, "Orvandel");
    EXPECT_EQ(question.text, "Export the contents to folder '" + PathToUtf8(home.path()) +
                                 "'.\n\nDo you proceed?");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.icon, MessageIcon::Warning);
    EXPECT_EQ(desk.shown[1].text, "Export cancelled");
    EXPECT_EQ(desk.shown[1].icon, MessageIcon::Warning);
    EXPECT_EQ(desk.shown[1].buttons, MessageButtons::Ok);
    EXPECT_FALSE(fs::exists(home / "Wall_D0.bmp"));

    // Yes: 28 pictures, and the panel's account of them.
    desk.shown.clear();
    desk.answers = {MessageAnswer::Yes};
    model.Act(DeskAction::Export);
    ASSERT_EQ(desk.shown.size(), 2u);
    EXPECT_EQ(desk.shown[1].text, "export finished");
    EXPECT_EQ(desk.shown[1].icon, MessageIcon::Information);
    EXPECT_TRUE(fs::exists(home / "Wall_D0`.bmp"));
    ASSERT_FALSE(model.problems().empty());
    EXPECT_EQ(model.problems()[0].kind, ProblemKind::ExportSummary);
    EXPECT_TRUE(Contains(model.problems()[0].what, "28 written, 0 unchanged, 0 failed"))
        << model.problems()[0].what;
    // The export's own files change the watched folder, not the wall set: its account stays.
    model.FilesChanged();
    desk.RunTimers(model);
    ASSERT_FALSE(model.problems().empty());
    EXPECT_EQ(model.problems()[0].kind, ProblemKind::ExportSummary);

    // A broken palette: the refusal comes at once, with no question before it.
    fs::remove(home / "Wall_D0.bmp");
    testing::WriteFileText(home / "wallpalette.pal", "broken\n");
    model.Act(DeskAction::Reload);
    desk.shown.clear();
    model.Act(DeskAction::Export);
    ASSERT_EQ(desk.shown.size(), 1u);
    EXPECT_EQ(desk.shown[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(Contains(desk.shown[0].text, "wallpalette.pal")) << desk.shown[0].text;
    EXPECT_FALSE(fs::exists(home / "Wall_D0.bmp"));
    EXPECT_EQ(model.problems().back().kind, ProblemKind::ExportFailed);
}

TEST_F(ModelTest, ExportIntoAMissingFolderListsEveryPictureThenFinishesAndThePanelNamesWhy) {
    session.SetHomeFolder(home / "gone");
    desk.answers = {MessageAnswer::Yes};
    model.Act(DeskAction::Export);
    ASSERT_EQ(desk.shown.size(), 3u);
    const std::string& failed = desk.shown[1].text;
    EXPECT_EQ(
        failed.rfind(Str(messages::kExportFailedHeading) + "Wall_D3LL.bmp\nWall_D3LL`.bmp\n", 0),
        0u);
    EXPECT_EQ(std::count(failed.begin(), failed.end(), '\n'), 2 + 28);
    EXPECT_EQ(desk.shown[1].icon, MessageIcon::Warning);
    // Why, behind the details button; the message itself is unchanged.
    EXPECT_EQ(desk.shown[1].details.rfind("Wall_D3LL.bmp: its folder does not exist\n", 0), 0u);
    EXPECT_EQ(desk.shown[2].text, "export finished");
    const auto failures = std::count_if(
        model.problems().begin(), model.problems().end(),
        [](const ProblemEntry& entry) { return entry.kind == ProblemKind::ExportFailed; });
    EXPECT_EQ(failures, 28);
    EXPECT_TRUE(Contains(model.problems()[0].what, "0 written, 0 unchanged, 28 failed"));
}

TEST_F(ModelTest, ExportListsPicturesWithApproximatedOrSeeThroughPixels) {
    const Palette16 palette = testing::TestPalette();
    std::vector<Colour> front(256 * 136, palette[4]);
    std::fill_n(front.begin(), 78, palette[10] ^ 0x1u);
    testing::WriteFileBytes(testing::TestPicturePath(home.path(), 2),
                            testing::MakeBmp(256, 136, 24, front));
    model.Act(DeskAction::Reload);
    desk.answers = {MessageAnswer::Yes};
    model.Act(DeskAction::Export);
    std::vector<std::string> exported;
    for (const ProblemEntry& entry : model.problems()) {
        if (entry.kind == ProblemKind::ExportApproximated) {
            exported.push_back(entry.Text());
        }
    }
    ASSERT_EQ(exported.size(), 1u);
    EXPECT_TRUE(Contains(exported[0], "0086")) << exported[0];
    EXPECT_TRUE(Contains(exported[0], "78 approximated pixels, 78 see-through")) << exported[0];
}

TEST_F(ModelTest, TestMapSavesWithTxtAddedLoadsKeepingTheViewerAndResets) {
    model.Act(DeskAction::MoveForward);
    desk.fileAnswer = home / "corridor";
    model.Act(DeskAction::SaveTestMap);
    EXPECT_TRUE(fs::exists(home / "corridor.txt"));
    EXPECT_FALSE(fs::exists(home / "corridor"));
    ASSERT_EQ(desk.asked.size(), 1u);
    EXPECT_EQ(desk.asked[0].title, "Save test map");
    EXPECT_EQ(desk.asked[0].filters[0].pattern, "*.txt");
    desk.fileAnswer = home / "kept.map";
    model.Act(DeskAction::SaveTestMap);
    EXPECT_TRUE(fs::exists(home / "kept.map"));

    std::string walls(16 * 17, '#');
    for (int y = 0; y < 16; ++y) {
        walls[static_cast<std::size_t>(y * 17 + 16)] = '\n';
    }
    testing::WriteFileText(home / "walls.txt", walls);
    desk.fileAnswer = home / "walls.txt";
    model.Act(DeskAction::LoadTestMap);
    EXPECT_EQ(model.map().Cell(7, 7), kWallCell);
    EXPECT_EQ(model.map().viewerY(), 6);
    EXPECT_TRUE(desk.shown.empty());

    testing::WriteFileText(home / "bad.txt", "#.#\n");
    desk.fileAnswer = home / "bad.txt";
    model.Act(DeskAction::LoadTestMap);
    ASSERT_EQ(desk.shown.size(), 1u);
    EXPECT_TRUE(Contains(desk.shown[0].text, "bad.txt")) << desk.shown[0].text;
    EXPECT_EQ(model.map().Cell(7, 7), kWallCell);

    desk.fileAnswer.reset();
    model.Act(DeskAction::LoadTestMap);  // cancelled: nothing happens
    EXPECT_EQ(desk.shown.size(), 1u);
    model.Act(DeskAction::ResetTestMap);
    EXPECT_EQ(model.map().Cell(7, 7), kFloorCell);
    EXPECT_EQ(model.PositionText(), "(7,7,N)");
}

TEST_F(ModelTest, MapPressFlipsTheCellAtOnceAndRendersOnlyWhenTheChangeArrives) {
    model.SetMapSize(200, 200);
    const GridLayout& layout = model.MapLayout();
    ASSERT_GT(layout.cellSize, 0);
    const Rect cell = CellRect(layout, 7, 6);
    const std::vector<std::uint8_t> before(model.renderer().viewport().GetBits(),
                                           model.renderer().viewport().GetBits() + 224 * 136);
    EXPECT_TRUE(model.PressMap({cell.left, cell.top}));
    EXPECT_EQ(model.map().Cell(7, 6), kWallCell);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), model.renderer().viewport().GetBits()));
    model.MapChanged();
    EXPECT_FALSE(std::equal(before.begin(), before.end(), model.renderer().viewport().GetBits()));
    EXPECT_FALSE(model.PressMap({layout.grid.right + 1, 0}));
}

}  // namespace
}  // namespace orvandel
