#include <gtest/gtest.h>

#include <windows.h>

#include <cwctype>
#include <filesystem>
#include <string>

#include "core/common/file_reader.h"
#include "core/common/path_text.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;

std::string Text(const FileBytes& read) {
    return read.bytes ? std::string(read.bytes->begin(), read.bytes->end())
                      : "<" + read.reason + ">";
}

// Device names mean the device in every folder. (CON, whose reading would wait for a key press,
// opens only where there is a console, and is then a character device like these.)
TEST(FileReaderWindows, DeviceNamesInAnyFolderAreNotRegularFiles) {
    testing::TempFolder folder;
    for (const char* device : {"NUL", "nul", "COM1", "AUX"}) {
        EXPECT_EQ(ReadWholeFile(folder / device, 1024).reason, "not a regular file") << device;
    }
}

TEST(FileReaderWindows, ReadsThroughWideNamesAndDriveLetterSpellings) {
    testing::TempFolder root;
    const fs::path folder =
        root.path() / PathFromUtf8("Zo\u00eb") / PathFromUtf8("W\u00e4nde \u58c1");
    fs::create_directories(folder);
    const fs::path file = folder / PathFromUtf8("Fl\u00e4che.pal");
    testing::WriteFileText(file, "colours");

    const fs::path absolute = fs::absolute(file);
    ASSERT_TRUE(absolute.has_root_name());  // "C:"
    std::wstring lowerDrive = absolute.native();
    lowerDrive[0] = static_cast<wchar_t>(std::towlower(lowerDrive[0]));
    const fs::path spellings[] = {file, absolute, absolute.generic_wstring(), lowerDrive,
                                  fs::path(L"\\\\?\\" + absolute.native())};
    for (const fs::path& spelling : spellings) {
        EXPECT_EQ(Text(ReadWholeFile(spelling, 100)), "colours") << PathToUtf8(spelling);
    }
}

// A painting program that has the picture open, even for writing, does not stop it being read;
// one that shares it with nobody gets a reason, not "missing file".
TEST(FileReaderWindows, FilesOtherProgramsHoldOpen) {
    testing::TempFolder folder;
    const fs::path file = folder / "held.bmp";
    testing::WriteFileText(file, "picture");
    struct Case {
        DWORD share;
        bool readable;
    };
    for (const Case c : {Case{FILE_SHARE_READ | FILE_SHARE_WRITE, true}, Case{0, false}}) {
        const HANDLE holder = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, c.share,
                                            nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        const FileBytes read = ReadWholeFile(file, 100);
        ::CloseHandle(holder);
        if (c.readable) {
            EXPECT_EQ(Text(read), "picture");
        } else {
            EXPECT_FALSE(read.bytes);
            EXPECT_EQ(read.reason.rfind("cannot be read: ", 0), 0u) << read.reason;
        }
    }
}

TEST(FileReaderWindows, ReadOnlyFilesRead) {
    testing::TempFolder folder;
    const fs::path file = folder / "locked.pal";
    testing::WriteFileText(file, "palette");
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Text(ReadWholeFile(file, 100)), "palette");
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace orvandel
