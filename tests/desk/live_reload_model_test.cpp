// The live reload's rules, on real files with the clock and timer in the test's hands.
#include <gtest/gtest.h>

#include <new>

#include "core/common/message_texts.h"
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

std::vector<unsigned char> Picture(int width, Colour colour) {
    return testing::MakeBmp(width, 136, 24,
                            std::vector<Colour>(static_cast<std::size_t>(width) * 136, colour));
}

class LiveReloadModelTest : public ModelTest {
protected:
    int WidthOfSlot(int slot) {
        const CIndexedImage& image = session.wallSet().images.at(static_cast<std::size_t>(slot));
        return image.IsEmpty() ? 0 : image.width();
    }
    fs::path PicturePath(int slot) { return testing::TestPicturePath(home.path(), slot); }
};

TEST_F(LiveReloadModelTest, AWholeFileReloadsAtOnceAHalfWrittenOneWaitsAndRetries) {
    testing::WriteFileBytes(PicturePath(2), Picture(200, 0x0000FF));
    model.FilesChanged();
    ASSERT_EQ(desk.timer, 0);  // the burst of one save is taken as one, right after it
    EXPECT_EQ(desk.RunTimers(model), 1);
    EXPECT_EQ(WidthOfSlot(2), 200);
    EXPECT_TRUE(desk.shown.empty());  // never a box

    // Rewritten in place, caught half way: nothing is read until it is whole.
    std::vector<unsigned char> bytes = Picture(180, 0x00FF00);
    const std::vector<unsigned char> half(
        bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2));
    testing::WriteFileBytes(PicturePath(2), half);
    model.FilesChanged();
    desk.RunTimers(model, 1);
    EXPECT_EQ(WidthOfSlot(2), 200);
    ASSERT_TRUE(desk.timer.has_value());
    EXPECT_LE(*desk.timer, kRetryMilliseconds);
    testing::WriteFileBytes(PicturePath(2), bytes);
    desk.RunTimers(model);
    EXPECT_EQ(WidthOfSlot(2), 180);
    EXPECT_LT(desk.now - 1000, kSettleMilliseconds);
}

TEST_F(LiveReloadModelTest, AFileThatNeverBecomesWholeIsReportedAfterTheSettlingDelay) {
    const std::vector<unsigned char> bytes = Picture(180, 0x00FF00);
    testing::WriteFileBytes(PicturePath(2),
                            std::vector<unsigned char>(bytes.begin(), bytes.begin() + 100));
    const std::int64_t start = desk.now;
    model.FilesChanged();
    desk.RunTimers(model);
    EXPECT_GE(desk.now - start, kSettleMilliseconds);
    EXPECT_FALSE(desk.timer.has_value());
    // The last good picture stays, and the panel says so: only now is it true.
    EXPECT_EQ(WidthOfSlot(2), 256);
    ASSERT_FALSE(model.problems().empty());
    EXPECT_EQ(model.problems()[0].kind, ProblemKind::PictureFailed);
    EXPECT_TRUE(Contains(model.problems()[0].Text(), Str(messages::kShowsLastGoodVersion)))
        << model.problems()[0].Text();
    EXPECT_TRUE(desk.shown.empty());
}

TEST_F(LiveReloadModelTest, EventsFromBesideTheWallSetDoNotPutTheSettlingDelayOff) {
    const std::vector<unsigned char> bytes = Picture(180, 0x00FF00);
    testing::WriteFileBytes(PicturePath(2),
                            std::vector<unsigned char>(bytes.begin(), bytes.begin() + 100));
    model.FilesChanged();
    const std::int64_t start = desk.now;
    // Other files of the folder keep changing, every 5 ms.
    for (int i = 0; i < 200 && desk.timer; ++i) {
        desk.now += 5;
        testing::WriteFileText(home / "unrelated.tmp", std::to_string(i));
        model.FilesChanged();
        desk.timer = 0;
        model.TimerFired();
    }
    EXPECT_FALSE(desk.timer.has_value());
    EXPECT_LE(desk.now - start, kSettleMilliseconds + 10);
    ASSERT_FALSE(model.problems().empty());
    EXPECT_EQ(model.problems()[0].kind, ProblemKind::PictureFailed);
}

TEST_F(LiveReloadModelTest, KeepsTheLastGoodVersionIsSaidOnlyOfAVersionThatIsShown) {
    fs::remove(PicturePath(5));
    model.Act(DeskAction::Reload);  // a fresh load: 0089 is gone from the view
    desk.shown.clear();
    testing::WriteFileBytes(PicturePath(2), testing::ReadFileBytes(PicturePath(2)));
    model.FilesChanged();
    desk.RunTimers(model);
    ASSERT_EQ(model.problems().size(), 1u);
    const std::string text = model.problems()[0].Text();
    EXPECT_FALSE(Contains(text, Str(messages::kShowsLastGoodVersion))) << text;
    EXPECT_TRUE(Contains(text, Str(messages::kPiecesMissingFromView))) << text;
}

TEST_F(LiveReloadModelTest, AChangeWhileABoxIsOpenIsAppliedOnceItCloses) {
    fs::remove(PicturePath(4));  // so the reload button's load shows a box
    desk.whileBoxIsOpen = [&] {
        testing::WriteFileBytes(PicturePath(2), Picture(150, 0x0000FF));
        model.FilesChanged();
        desk.RunTimers(model);  // the timer fires while the box is open: nothing may happen
        EXPECT_NE(WidthOfSlot(2), 150);
    };
    model.Act(DeskAction::Reload);
    ASSERT_EQ(desk.shown.size(), 1u);
    EXPECT_EQ(desk.timer, 0);  // taken up the moment the action ended
    desk.RunTimers(model);
    EXPECT_EQ(WidthOfSlot(2), 150);
}

TEST_F(LiveReloadModelTest, SwitchedOffItWatchesNothingSwitchedOnItCatchesUpAtOnce) {
    EXPECT_FALSE(desk.watched.files.empty());
    model.Act(DeskAction::ReloadAutomatically);
    EXPECT_FALSE(model.liveReload());
    EXPECT_TRUE(desk.watched.files.empty());
    testing::WriteFileBytes(PicturePath(2), Picture(120, 0x0000FF));
    model.FilesChanged();
    EXPECT_EQ(desk.RunTimers(model), 0);
    EXPECT_EQ(WidthOfSlot(2), 256);

    model.SetLiveReload(true);
    EXPECT_FALSE(desk.watched.files.empty());
    desk.RunTimers(model);
    EXPECT_EQ(WidthOfSlot(2), 120);
}

TEST_F(LiveReloadModelTest, WatchesTheFoldersAboveSoADeletedOrReplacedHomeIsFoundAgain) {
    const WatchList watch = model.CurrentWatchList();
    const auto has = [](const std::vector<fs::path>& list, const fs::path& path) {
        return std::find(list.begin(), list.end(), path) != list.end();
    };
    EXPECT_TRUE(has(watch.files, PicturePath(0)));
    EXPECT_TRUE(has(watch.folders, home.path()));
    EXPECT_TRUE(has(watch.folders, home.path().parent_path()));

    // The home folder moved away and made again: the reload reads the new one.
    const fs::path away = home.path().parent_path() / (home.path().filename().string() + ".old");
    fs::rename(home.path(), away);
    fs::create_directory(home.path());
    testing::WriteTestWallSet(home.path());
    testing::WriteFileBytes(PicturePath(3), Picture(100, 0x00FF00));
    model.FilesChanged();
    desk.RunTimers(model);
    EXPECT_EQ(WidthOfSlot(3), 100);
    fs::remove_all(away);
}

TEST_F(LiveReloadModelTest, RunningOutOfMemoryInAReloadLeavesTheLiveReloadWorking) {
    testing::WriteFileBytes(PicturePath(2), Picture(200, 0x0000FF));
    desk.onRefresh = [] { throw std::bad_alloc(); };
    model.FilesChanged();
    desk.RunTimers(model);
    desk.onRefresh = nullptr;
    ASSERT_FALSE(desk.shown.empty());
    EXPECT_EQ(desk.shown.back().text, Str(messages::kOutOfMemory));

    testing::WriteFileBytes(PicturePath(2), Picture(160, 0x0000FF));
    model.FilesChanged();
    EXPECT_TRUE(desk.timer.has_value());
    desk.RunTimers(model);
    EXPECT_EQ(WidthOfSlot(2), 160);
}

}  // namespace
}  // namespace orvandel
