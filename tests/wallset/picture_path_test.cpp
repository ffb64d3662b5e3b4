#include "core/wallset/picture_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteFileText;

class PicturePath : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(home / "Walls" / "Stone");
        WriteFileText(home / "Walls" / "Stone" / "Front.BMP", "x");
        WriteFileText(home / "top.bmp", "x");
    }
    std::string Home() const { return home.path().string(); }

    TempFolder home;
};

TEST_F(PicturePath, NameAsWrittenResolvesAgainstHome) {
    EXPECT_EQ(ResolvePictureName("top.bmp", Home()), home / "top.bmp");
    EXPECT_EQ(ResolvePictureName("Walls/Stone/Front.BMP", Home()), home / "Walls/Stone/Front.BMP");
}

TEST_F(PicturePath, NothingMatchingGivesTheNameAsWritten) {
    EXPECT_EQ(ResolvePictureName("walls\\missing.bmp", Home()), home / "walls\\missing.bmp");
    EXPECT_EQ(ResolvePictureName("top.bmp\\x", Home()), home / "top.bmp\\x");
    EXPECT_TRUE(ResolvePictureName("", Home()).empty());
}

TEST_F(PicturePath, EmptyHomeMeansCurrentFolder) {
    const fs::path saved = fs::current_path();
    fs::current_path(home.path());
    const fs::path resolved = ResolvePictureName("TOP.BMP", "");
    fs::current_path(saved);
    EXPECT_TRUE(fs::equivalent(resolved, home / "top.bmp"));
}

}  // namespace
}  // namespace orvandel
