#include "core/wallset/wallset_document.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/wallset/wallset_keys.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteFileText;

TEST(WallSetDocument, UntitledDocumentGivesDefaults) {
    const WallSetDocument document;
    for (const WallSetKey& key : kWallSetKeys) {
        EXPECT_EQ(document.ReadSetting("BMP", key.key, key.defaultName), key.defaultName);
    }
}

TEST(WallSetDocument, OpenRefusesWhatCannotBeReadAndKeepsThePath) {
    TempFolder folder;
    WriteFileText(folder / "a.Pelorim", "[BMP]\n0086=front.bmp\n");
    WallSetDocument document;
    ASSERT_TRUE(document.Open(folder / "a.Pelorim"));
    EXPECT_EQ(document.path(), folder / "a.Pelorim");

    const Status missing = document.Open(folder / "absent.Pelorim");
    EXPECT_FALSE(missing);
    EXPECT_FALSE(missing.reason().empty());
    EXPECT_FALSE(document.Open(folder.path()));
    EXPECT_FALSE(document.Open(""));
    EXPECT_EQ(document.path(), folder / "a.Pelorim");
    EXPECT_EQ(document.ReadSetting("BMP", "0086", "d"), "front.bmp");
}

TEST(WallSetDocument, RelativeNameBecomesAbsolute) {
    TempFolder folder;
    WriteFileText(folder / "b.Pelorim", "");
    const fs::path saved = fs::current_path();
    fs::current_path(folder.path());
    WallSetDocument document;
    const bool opened = document.Open("b.Pelorim").ok();
    fs::current_path(saved);
    ASSERT_TRUE(opened);
    EXPECT_TRUE(document.path().is_absolute());
    // Still found after the current folder moved on.
    EXPECT_EQ(document.ReadSetting("BMP", "0084", "d"), "d");
    EXPECT_TRUE(fs::equivalent(document.path(), folder / "b.Pelorim"));
}

TEST(WallSetDocument, EditedFileTakesEffectWithoutReopening) {
    TempFolder folder;
    WriteFileText(folder / "c.Pelorim", "[BMP]\n0084=old.bmp\n");
    WallSetDocument document;
    ASSERT_TRUE(document.Open(folder / "c.Pelorim"));
    EXPECT_EQ(document.ReadSetting("BMP", "0084", "d"), "old.bmp");
    WriteFileText(folder / "c.Pelorim", "[BMP]\n0084=new.bmp\n");
    EXPECT_EQ(document.ReadSetting("BMP", "0084", "d"), "new.bmp");
    fs::remove(folder / "c.Pelorim");
    EXPECT_EQ(document.ReadSetting("BMP", "0084", "d"), "d");
}

}  // namespace
}  // namespace orvandel
