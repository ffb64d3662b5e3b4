#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/common/path_text.h"
#include "core/image/file_ops.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;
using Text = std::vector<unsigned char>;

Status WriteText(const fs::path& target, const std::string& text) {
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    const std::array<std::span<const std::uint8_t>, 1> chunks{bytes};
    return WriteFileAtomically(target, chunks);
}

Text Bytes(const std::string& text) {
    return Text(text.begin(), text.end());
}

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicWriteWindows, ReplacesThroughWideNamesAndDriveLetterSpellings) {
    testing::TempFolder root;
    const fs::path folder =
        root.path() / PathFromUtf8("Zo\u00eb") / PathFromUtf8("W\u00e4nde \u58c1");
    fs::create_directories(folder);
    const fs::path target = folder / PathFromUtf8("Wall_D0\u00e9.bmp");
    testing::WriteFileText(target, "old");

    const fs::path absolute = fs::absolute(target);
    ASSERT_TRUE(absolute.has_root_name());  // "C:"
    const fs::path spellings[] = {target, absolute.generic_wstring(),
                                  fs::path(L"\\\\?\\" + absolute.native())};
    int round = 0;
    for (const fs::path& spelling : spellings) {
        const std::string text = "new " + std::to_string(++round);
        ASSERT_TRUE(WriteText(spelling, text)) << PathToUtf8(spelling);
        EXPECT_EQ(testing::ReadFileBytes(target), Bytes(text));
        EXPECT_EQ(EntriesIn(folder), 1u) << "a temporary file was left behind";
    }
}

// A read-only picture, or one a painting program holds open without letting others replace it,
// stays as it was: the write fails and leaves nothing behind. Once released it is replaced.
TEST(AtomicWriteWindows, ReadOnlyOrLockedTargetFailsAndKeepsTheOldFile) {
    struct Case {
        const char* what;
        bool readOnly;
        DWORD lockShare;  // the holder's share mode, when it holds the file open
        bool locked;
        const char* reason;
    };
    const Case cases[] = {
        {"read-only", true, 0, false, "read-only: check it out or clear the read-only flag"},
        {"open and shared with nobody", false, 0, true, "in use by another program"},
        {"open, shared for reading and writing", false, FILE_SHARE_READ | FILE_SHARE_WRITE, true,
         "in use by another program"},
    };
    for (const Case& c : cases) {
        testing::TempFolder folder;
        const fs::path target = folder / "Wall_D1L.bmp";
        testing::WriteFileText(target, "old");
        if (c.readOnly) {
            ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
        }
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (c.locked) {
            holder = ::CreateFileW(target.c_str(), GENERIC_READ, c.lockShare, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(holder, INVALID_HANDLE_VALUE) << c.what;
        }

        EXPECT_EQ(WriteText(target, "new").reason(), c.reason) << c.what;
        if (holder != INVALID_HANDLE_VALUE) {
            ::CloseHandle(holder);
        }
        EXPECT_EQ(testing::ReadFileBytes(target), Bytes("old")) << c.what;
        EXPECT_EQ(EntriesIn(folder.path()), 1u) << c.what;

        ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(WriteText(target, "new")) << c.what;
        EXPECT_EQ(testing::ReadFileBytes(target), Bytes("new")) << c.what;
    }
}

// A device named as output is written as one, whatever ending the name has: "nul.bmp" is NUL.
TEST(AtomicWriteWindows, DeviceNamesAreWrittenAsStreams) {
    testing::TempFolder folder;
    const std::vector<std::uint8_t> bytes = {'n', 'e', 'w'};
    const std::array<std::span<const std::uint8_t>, 1> chunks{bytes};
    for (const char* name : {"NUL", "nul.bmp"}) {
        const Status written = WriteNamedFile(folder / name, chunks);
        EXPECT_TRUE(written.ok()) << name << ": " << written.reason();
    }
    EXPECT_EQ(EntriesIn(folder.path()), 0u);
}

}  // namespace
}  // namespace orvandel
