#include "core/common/file_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "support/non_regular_file.h"
#include "support/temp_folder.h"

namespace orvandel::testing {
namespace {

std::string ReasonOf(const std::filesystem::path& path) {
    return ReadWholeFile(path, 1024).reason;
}

TEST(FileReaderTest, RefusesWhatIsNotARegularFileWithoutBlocking) {
    TempFolder folder;
    const auto fifo = MakeNonRegularFile(folder.path(), "fifo");
    ASSERT_FALSE(fifo.empty());
    EXPECT_EQ(ReasonOf(folder / "absent"), "missing file");
    EXPECT_EQ(ReasonOf(folder / "absent" / "below"), "missing file");
    EXPECT_EQ(ReasonOf(folder.path()), "is a folder, not a file");
    // Neither waits for a writer nor reads an endless device.
    EXPECT_EQ(ReasonOf(fifo), "not a regular file");
    EXPECT_EQ(ReasonOf({}), "missing file");
}

TEST(FileReaderTest, ReadsWholeFilesUpToTheCapAndRefusesLargerOnesUnread) {
    TempFolder folder;
    WriteFileText(folder / "ten", "0123456789");
    const FileBytes whole = ReadWholeFile(folder / "ten", 10);
    ASSERT_TRUE(whole.bytes);
    EXPECT_EQ(std::string(whole.bytes->begin(), whole.bytes->end()), "0123456789");

    const FileBytes tooLarge = ReadWholeFile(folder / "ten", 9);
    EXPECT_FALSE(tooLarge.bytes);
    EXPECT_EQ(tooLarge.reason, "too large: 10 bytes, at most 9 are read");

    const FileBytes start = ReadFileStart(folder / "ten", 4);
    ASSERT_TRUE(start.bytes);
    EXPECT_EQ(std::string(start.bytes->begin(), start.bytes->end()), "0123");

    WriteFileText(folder / "empty", "");
    const FileBytes empty = ReadWholeFile(folder / "empty", 10);
    ASSERT_TRUE(empty.bytes);
    EXPECT_TRUE(empty.bytes->empty());
}

TEST(FileReaderTest, RangedReadsStopAtTheEndAndSurviveAMove) {
    TempFolder folder;
    WriteFileText(folder / "ten", "0123456789");
    ReadableFile file = ReadableFile::Open(folder / "ten");
    ASSERT_TRUE(file.IsOpen());
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(file.Read(7, 100, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "789");
    ASSERT_TRUE(file.Read(10, 5, bytes));
    EXPECT_TRUE(bytes.empty());

    ReadableFile moved = std::move(file);
    EXPECT_FALSE(file.IsOpen());  // NOLINT(bugprone-use-after-move): the move empties it
    ASSERT_TRUE(moved.Read(0, 2, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "01");
}

}  // namespace
}  // namespace orvandel::testing
