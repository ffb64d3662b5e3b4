#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/common/path_text.h"
#include "core/wallset/picture_path.h"
#include "core/wallset/windows_name_lookup.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;

// Windows finds names in any letter case and with either separator by itself; the name as
// written is the answer and the fallback has nothing to add.
TEST(PicturePathWindows, TheFileSystemFindsWindowsNames) {
    testing::TempFolder home;
    fs::create_directories(home / "Walls" / "Stone");
    testing::WriteFileText(home / "Walls" / "Stone" / "Front.BMP", "x");
    const fs::path front = home / "Walls" / "Stone" / "Front.BMP";

    const std::string absolute = PathToUtf8(fs::absolute(front));
    std::string lowerDrive = absolute;
    lowerDrive[0] = static_cast<char>(lowerDrive[0] - 'A' + 'a');
    for (const std::string& name :
         {std::string("walls\\STONE\\front.bmp"), std::string("Walls/Stone/Front.BMP"),
          std::string(".\\walls\\stone\\..\\stone\\front.bmp"), absolute, lowerDrive}) {
        const fs::path resolved = ResolvePictureName(name, home.path());
        EXPECT_TRUE(fs::equivalent(resolved, front)) << name;
        EXPECT_FALSE(FindWindowsName(name, home.path())) << name;
    }
    ASSERT_GE(absolute.size(), 3u);
    EXPECT_EQ(absolute[1], ':');  // the names above did carry a drive letter
}

// A wall-set file saved in a Windows code page names "Wände.bmp" with the byte E4.
TEST(PicturePathWindows, NamesInTheLatin1CodePageFindTheirPictures) {
    testing::TempFolder home;
    const fs::path picture = home.path() / PathFromUtf8("W\u00e4nde.bmp");
    testing::WriteFileText(picture, "x");
    EXPECT_TRUE(fs::equivalent(ResolvePictureName("W\xE4nde.bmp", home.path()), picture));
    EXPECT_TRUE(fs::equivalent(ResolvePictureName("W\u00e4nde.bmp", home.path()), picture));
}

}  // namespace
}  // namespace orvandel
