// The desktop program following files as a painting program saves them, on real files and the
// real watcher: every wait is bounded.
#include <QAction>
#include <QCheckBox>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>

#include "core/common/message_texts.h"
#include "core/map/map_text.h"
#include "core/view/view_renderer.h"
#include "core/wallset/wallset_keys.h"
#include "desk/window_model.h"
#include "form_fixture.h"
#include "gui/file_dialogs.h"
#include "gui/gui_texts.h"
#include "gui/kel_box.h"
#include "gui/map_box.h"
#include "gui/problems_panel.h"
#include "gui/wall_set_watcher.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using testing::FormTest;

constexpr int kBoundMs = 5000;

bool WaitUntil(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, kBoundMs);
}

std::vector<unsigned char> Picture(int width, int colourIndex) {
    return testing::MakeBmp(width, 136, 24,
                            std::vector<Colour>(static_cast<std::size_t>(width) * 136,
                                                testing::TestPalette()[colourIndex]));
}

// Saves the way painting programs do: a new file, renamed over the old one.
void SaveByRename(const fs::path& target, const std::vector<unsigned char>& bytes) {
    const fs::path fresh = target.parent_path() / ".saving.tmp";
    testing::WriteFileBytes(fresh, bytes);
    fs::rename(fresh, target);
}

QAction* ActionNamed(QWidget& widget, std::string_view text) {
    for (QAction* action : widget.actions()) {
        if (action->text().toStdString() == text) {
            return action;
        }
    }
    return nullptr;
}

class LiveReloadTest : public FormTest {
protected:
    // The preview shows what the core renders from the same wall set, map and switch.
    bool PreviewIsUpToDate() {
        CKelBox& box = view().previewBox();
        ViewRenderer expected;
        expected.RenderView(box.wallSet(), view().mapBox().map(), box.evenOdd());
        const CPaletteDib& shown = box.renderer().viewport();
        return std::equal(shown.GetBits(), shown.GetBits() + 224 * 136,
                          expected.viewport().GetBits()) &&
               std::ranges::equal(shown.colourTable(), expected.viewport().colourTable());
    }
    const WallSet& wallSet() { return view().previewBox().wallSet(); }
    // What the problems panel lists; empty when it says all is well.
    QString notice() {
        const CProblemsPanel& panel = frame.problemsPanel();
        QStringList lines;
        for (int row = 0; row < panel.count(); ++row) {
            lines.push_back(panel.item(row)->text());
        }
        const QString text = lines.join(QLatin1Char('\n'));
        return text == QString::fromUtf8(AllIsWellText().data()) ? QString() : text;
    }
};

TEST_F(LiveReloadTest, SavedRenamedDeletedAndRecreatedPicturesReachThePreviewWithoutABox) {
    ASSERT_TRUE(view().liveReload());
    Type(Qt::Key_8);
    Type(Qt::Key_E);
    const fs::path picture = testing::TestPicturePath(home.path(), 2);

    SaveByRename(picture, Picture(200, 4));
    ASSERT_TRUE(WaitUntil([&] { return wallSet().images[2].width() == 200; }));
    EXPECT_TRUE(PreviewIsUpToDate());
    // The map, the viewer, the facing and the switch are kept.
    EXPECT_EQ(readOut(), "(7,6,N)");
    EXPECT_TRUE(view().previewBox().evenOdd());

    // Deleted: the last good picture stays and the notice names it; written again: it shows.
    fs::remove(picture);
    ASSERT_TRUE(WaitUntil([&] { return !notice().isEmpty(); }));
    EXPECT_TRUE(notice().contains(QString::fromLatin1(kWallSetKeys[2].defaultName)));
    EXPECT_EQ(wallSet().images[2].width(), 200);
    testing::WriteFileBytes(picture, Picture(210, 6));
    ASSERT_TRUE(WaitUntil([&] { return wallSet().images[2].width() == 210; }));
    EXPECT_FALSE(notice().contains(QStringLiteral("did not load")));
    EXPECT_TRUE(PreviewIsUpToDate());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LiveReloadTest, AHalfWrittenFileShowsAQuietNoticeUntilItIsWhole) {
    const fs::path picture = testing::TestPicturePath(home.path(), 4);
    const std::vector<unsigned char> whole = Picture(120, 9);
    testing::WriteFileBytes(picture, std::vector<unsigned char>(whole.begin(), whole.begin() + 40));
    ASSERT_TRUE(WaitUntil([&] { return !notice().isEmpty(); }));
    EXPECT_TRUE(notice().contains(QString::fromUtf8(messages::kShowsLastGoodVersion.data())));
    EXPECT_TRUE(notice().contains(QString::fromLatin1(kWallSetKeys[4].defaultName)));
    EXPECT_EQ(wallSet().images[4].width(), 256);  // the last good picture

    testing::WriteFileBytes(picture, whole);
    ASSERT_TRUE(WaitUntil([&] { return notice().isEmpty(); }));
    EXPECT_EQ(wallSet().images[4].width(), 120);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LiveReloadTest, TheContextMenuSwitchStopsAndResumesWatching) {
    QAction* reloadAutomatically = ActionNamed(view().previewBox(), messages::kReloadAutomatically);
    ASSERT_NE(reloadAutomatically, nullptr);
    EXPECT_TRUE(reloadAutomatically->isCheckable());
    EXPECT_TRUE(view().watcher().watchedFiles().size() == 7);  // palette and six pictures

    reloadAutomatically->trigger();
    EXPECT_FALSE(view().liveReload());
    EXPECT_TRUE(view().watcher().watchedFiles().isEmpty());
    SaveByRename(testing::TestPicturePath(home.path(), 1), Picture(100, 2));
    QTest::qWait(3 * kSettleMilliseconds);
    EXPECT_EQ(wallSet().images[1].width(), 256);

    reloadAutomatically->trigger();
    SaveByRename(testing::TestPicturePath(home.path(), 1), Picture(90, 2));
    ASSERT_TRUE(WaitUntil([&] { return wallSet().images[1].width() == 90; }));
}

TEST_F(LiveReloadTest, AnEditedWallSetFileIsFollowedToThePicturesItNamesNow) {
    const fs::path set = home / "set.Pelorim";
    testing::WriteFileText(set, "[BMP]\n");
    ASSERT_TRUE(frame.OpenDocument(QString::fromStdString(set.string())));
    testing::WriteFileText(set, "[BMP]\n0084=later/right.bmp\n");
    ASSERT_TRUE(WaitUntil([&] { return !notice().isEmpty(); }));
    EXPECT_TRUE(notice().contains(QStringLiteral("\"later/right.bmp\"")));
    EXPECT_TRUE(notice().contains(QStringLiteral("did not load: missing file")));

    // Neither the picture nor its folder existed: both are taken up as they appear.
    fs::create_directory(home / "later");
    SaveByRename(home / "later" / "right.bmp", Picture(64, 3));
    ASSERT_TRUE(WaitUntil([&] { return wallSet().images[0].width() == 64; }));
    EXPECT_TRUE(notice().isEmpty());
    EXPECT_TRUE(PreviewIsUpToDate());
}

TEST_F(LiveReloadTest, AHomeFolderReplacedByALinkOrMadeAgainIsFollowed) {
    const fs::path away = home.path().parent_path() / (home.path().filename().string() + ".away");
    testing::TempFolder elsewhere;
    testing::WriteTestWallSet(elsewhere.path());
    testing::WriteFileBytes(testing::TestPicturePath(elsewhere.path(), 2), Picture(77, 3));
    fs::rename(home.path(), away);
    fs::create_directory_symlink(elsewhere.path(), home.path());
    ASSERT_TRUE(WaitUntil([&] { return wallSet().images[2].width() == 77; }));

    // Saves inside the folder the link leads to are followed too.
    SaveByRename(testing::TestPicturePath(home.path(), 2), Picture(66, 3));
    ASSERT_TRUE(WaitUntil([&] { return wallSet().images[2].width() == 66; }));

    // Deleted and made again.
    fs::remove(home.path());
    fs::create_directory(home.path());
    testing::WriteTestWallSet(home.path());
    ASSERT_TRUE(WaitUntil([&] { return wallSet().images[2].width() == 256; }));
    fs::remove_all(away);
}

// Started without a palette: black at first, the palette's colours once it appears.
class LatePaletteTest : public LiveReloadTest {
protected:
    LatePaletteTest() { writeWallSet = false; }
    void SetUp() override {
        testing::WriteTestWallSet(home.path());
        fs::rename(home / kPaletteFileName, spare / kPaletteFileName);
        LiveReloadTest::SetUp();
    }
    testing::TempFolder spare;
};

TEST_F(LatePaletteTest, APaletteThatAppearsLaterColoursThePreview) {
    ASSERT_EQ(messages.shown.size(), 1u);  // the start-up's palette box
    EXPECT_EQ(view().previewBox().renderer().viewport().colourTable()[1], RgbQuad{});
    fs::rename(spare / kPaletteFileName, home / kPaletteFileName);
    ASSERT_TRUE(WaitUntil([&] { return !wallSet().images[0].IsEmpty(); }));
    EXPECT_EQ(wallSet().palette, testing::TestPalette());
    EXPECT_NE(view().previewBox().renderer().viewport().colourTable()[1], RgbQuad{});
    EXPECT_TRUE(PreviewIsUpToDate());
    EXPECT_EQ(messages.shown.size(), 1u);
}

// Answers the file dialogs from a script.
class ScriptedDialogs final : public FileDialogs {
public:
    std::optional<QString> OpenFileName(const QString&, const QString&) override { return answer; }
    std::optional<QString> SaveFileName(const QString&, const QString&) override { return answer; }
    std::optional<QString> answer;
};

TEST_F(FormTest, TheMapsMenuSavesAndLoadsTheTestMapThroughTheFileDialogs) {
    ScriptedDialogs dialogs;
    view().SetFileDialogs(dialogs);
    CMapBox& mapBox = view().mapBox();
    auto run = [&](std::string_view caption) {
        QAction* action = ActionNamed(mapBox, caption);
        ASSERT_NE(action, nullptr) << caption;
        action->trigger();
    };
    ClickCell(3, 4);
    const MapState corridor = mapBox.map();
    dialogs.answer = QString::fromStdString((home / "corridor").string());
    run(messages::kSaveTestMap);
    EXPECT_EQ(testing::ReadFileBytes(home / "corridor.txt").size(), MapText(corridor).size());

    run(messages::kResetTestMap);
    EXPECT_EQ(mapBox.map().cells(), MapState().cells());
    dialogs.answer = QString::fromStdString((home / "corridor.txt").string());
    run(messages::kLoadTestMap);
    EXPECT_EQ(mapBox.map().cells(), corridor.cells());
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace orvandel
