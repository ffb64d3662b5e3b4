#include "core/common/path_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;

// The names go to the file system and back: a name that changed on the way would be created
// under one name and looked for under another.
TEST(PathText, NamesOutsideAsciiSurviveTheFileSystem) {
    testing::TempFolder folder;
    for (const std::string name :
         {"Zo\u00eb", "W\u00e4nde", "\u58c1 \u7d75", "stone \U0001F9F1", "plain.bmp"}) {
        const fs::path path = folder.path() / PathFromUtf8(name);
        testing::WriteFileText(path, name);
        ASSERT_TRUE(fs::exists(path)) << name;
        bool listed = false;
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            listed = listed || PathToUtf8(entry.path().filename()) == name;
        }
        EXPECT_TRUE(listed) << name;
        EXPECT_EQ(PathToUtf8(path.filename()), name);
    }
}

// A wall-set file saved in a Windows code page holds bytes that are not UTF-8; they still make
// a path (on Windows read as Latin-1, elsewhere kept byte for byte) instead of an exception.
TEST(PathText, TextThatIsNotUtf8StillMakesAPath) {
    for (const std::string text : {"W\xE4nde.bmp", "\xFF\xFE", "a\xC3"}) {
        fs::path path;
        EXPECT_NO_THROW(path = PathFromUtf8(text)) << text;
        EXPECT_FALSE(path.empty());
    }
}

}  // namespace
}  // namespace orvandel
