#include <gtest/gtest.h>

#include <filesystem>

#include "core/wallset/picture_path.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteFileText;

// On a case-sensitive file system the fallback, not the system, finds Windows names.
class PicturePathPosix : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(home / "Walls" / "Stone");
        WriteFileText(home / "Walls" / "Stone" / "Front.BMP", "x");
        WriteFileText(home / "top.bmp", "x");
    }
    std::string Home() const { return home.path().string(); }

    TempFolder home;
};

TEST_F(PicturePathPosix, BackslashesAndLetterCaseOfWindowsNamesAreForgiven) {
    EXPECT_EQ(ResolvePictureName("Walls\\Stone\\Front.BMP", Home()),
              home / "Walls/Stone/Front.BMP");
    EXPECT_EQ(ResolvePictureName("walls\\STONE\\front.bmp", Home()),
              home / "Walls/Stone/Front.BMP");
    EXPECT_EQ(ResolvePictureName("TOP.bmp", Home()), home / "top.bmp");
    EXPECT_EQ(ResolvePictureName(".\\walls\\stone\\..\\stone\\front.bmp", Home()),
              home / "Walls/Stone/../Stone/Front.BMP");
}

TEST_F(PicturePathPosix, ExactMatchWinsOverOtherCase) {
    WriteFileText(home / "Top.bmp", "y");
    EXPECT_EQ(ResolvePictureName("Top.bmp", Home()), home / "Top.bmp");
    EXPECT_EQ(ResolvePictureName("top.bmp", Home()), home / "top.bmp");
    // Neither is exact: the choice does not depend on listing order.
    EXPECT_EQ(ResolvePictureName("TOP.BMP", Home()), home / "Top.bmp");
}

TEST_F(PicturePathPosix, AbsoluteNamesAreKept) {
    const fs::path absolute = home / "Walls/Stone/Front.BMP";
    EXPECT_EQ(ResolvePictureName(absolute.string(), "/elsewhere"), absolute);
    const fs::path otherCase = home / "walls/stone/front.bmp";
    EXPECT_EQ(ResolvePictureName(otherCase.string(), "/elsewhere"), absolute);
}

}  // namespace
}  // namespace orvandel
