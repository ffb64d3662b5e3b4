#include "core/image/file_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <system_error>
#include <vector>

#include "core/image/palette_dib.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The real file system, with one chosen call failing the way a full disk or a broken
// device would make it fail.
class FailingFileOps final : public FileOps {
public:
    enum class Step { kNone, kCreate, kWrite, kFlush, kClose, kRename };

    explicit FailingFileOps(Step step, int failingWrite = 0, std::error_code error = {})
        : m_step(step), m_failingWrite(failingWrite), m_error(error) {}

    int CreateTemporary(const std::filesystem::path& path) override {
        created.push_back(path);
        return m_step == Step::kCreate ? -1 : Real().CreateTemporary(path);
    }
    bool Write(int handle, std::span<const std::uint8_t> bytes) override {
        ++writes;
        if (m_step == Step::kWrite && writes == m_failingWrite) {
            // Half the bytes reach the disk before it fills up.
            Real().Write(handle, bytes.first(bytes.size() / 2));
            return false;
        }
        return Real().Write(handle, bytes);
    }
    bool Flush(int handle) override { return m_step != Step::kFlush && Real().Flush(handle); }
    bool Close(int handle) override {
        ++closes;
        return Real().Close(handle) && m_step != Step::kClose;
    }
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return m_step != Step::kRename && Real().Rename(from, to);
    }
    void Remove(const std::filesystem::path& path) override { Real().Remove(path); }
    std::error_code LastError() const override { return m_error; }

    std::vector<std::filesystem::path> created;
    int writes = 0;
    int closes = 0;

private:
    static FileOps& Real() { return SystemFileOps(); }
    Step m_step;
    int m_failingWrite;
    std::error_code m_error;
};

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

bool Write(const std::filesystem::path& target, const std::vector<Bytes>& pieces, FileOps& ops) {
    std::vector<std::span<const std::uint8_t>> chunks(pieces.begin(), pieces.end());
    return WriteFileAtomically(target, chunks, ops).ok();
}

const std::vector<Bytes> kPieces = {Bytes(10, 1), Bytes(3000, 2), Bytes(1, 3), Bytes(70000, 4)};

TEST(AtomicWrite, WritesAllChunksInOrderAndLeavesNoTemporaryFile) {
    testing::TempFolder folder;
    FailingFileOps ops(FailingFileOps::Step::kNone);
    ASSERT_TRUE(Write(folder / "out.bin", kPieces, ops));
    Bytes expected;
    for (const Bytes& piece : kPieces) {
        expected.insert(expected.end(), piece.begin(), piece.end());
    }
    const auto written = testing::ReadFileBytes(folder / "out.bin");
    EXPECT_EQ(Bytes(written.begin(), written.end()), expected);
    EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"out.bin"});
    ASSERT_EQ(ops.created.size(), 1u);
    EXPECT_EQ(ops.created[0].parent_path(), folder.path());  // beside the target: same device
    EXPECT_EQ(ops.created[0].filename().string().rfind(".out.bin.", 0), 0u);
}

TEST(AtomicWrite, AnyFailingStepKeepsTheEarlierFileAndCleansUp) {
    struct Case {
        FailingFileOps::Step step;
        int failingWrite;
    };
    std::vector<Case> cases = {{FailingFileOps::Step::kCreate, 0},
                               {FailingFileOps::Step::kFlush, 0},
                               {FailingFileOps::Step::kClose, 0},
                               {FailingFileOps::Step::kRename, 0}};
    for (int k = 1; k <= static_cast<int>(kPieces.size()); ++k) {
        cases.push_back({FailingFileOps::Step::kWrite, k});
    }
    for (const Case& c : cases) {
        testing::TempFolder folder;
        const auto target = folder / "Wall_D2.bmp";
        testing::WriteFileBytes(target, {'o', 'l', 'd'});
        FailingFileOps ops(c.step, c.failingWrite);
        const std::string what = "step " + std::to_string(static_cast<int>(c.step)) + " write " +
                                 std::to_string(c.failingWrite);
        EXPECT_FALSE(Write(target, kPieces, ops)) << what;
        EXPECT_EQ(testing::ReadFileBytes(target), (std::vector<unsigned char>{'o', 'l', 'd'}))
            << what;
        EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"Wall_D2.bmp"}) << what;
        if (c.step == FailingFileOps::Step::kWrite) {
            EXPECT_EQ(ops.writes, c.failingWrite) << "no write after a failed one";
        }
        if (c.step != FailingFileOps::Step::kCreate) {
            EXPECT_EQ(ops.closes, 1) << what;  // the handle is closed exactly once
        }
    }
}

TEST(AtomicWrite, BmpWriterFailsCleanlyWhenItsWritesFail) {
    CPaletteDib dib;
    ASSERT_TRUE(dib.Create(8, 2, 24, {}, 0));
    for (int k = 1; k <= 2; ++k) {
        testing::TempFolder folder;
        FailingFileOps ops(FailingFileOps::Step::kWrite, k);
        EXPECT_FALSE(dib.WriteBmpFile(folder / "a.bmp", ops));
        EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    }
}

TEST(AtomicWrite, UnusableFoldersAndTargetsFail) {
    testing::TempFolder folder;
    testing::WriteFileBytes(folder / "plain", {1});
    std::filesystem::create_directory(folder / "sub");
    const std::vector<Bytes> pieces = {Bytes{1, 2, 3}};
    EXPECT_FALSE(Write(folder / "missing" / "out.bin", pieces, SystemFileOps()));
    EXPECT_FALSE(Write(folder / "plain" / "out.bin", pieces, SystemFileOps()));
    EXPECT_FALSE(Write(folder / "sub", pieces, SystemFileOps()));  // a folder is not replaced
    EXPECT_FALSE(Write(folder.path() / "", pieces, SystemFileOps()));
    auto names = FolderEntries(folder.path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"plain", "sub"}));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "sub"));
}

TEST(AtomicWrite, AFailureSaysWhyInTheUsersWords) {
    using Step = FailingFileOps::Step;
    struct Case {
        Step step;
        std::errc error;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {Step::kCreate, std::errc::permission_denied, "permission denied"},
        {Step::kCreate, std::errc::read_only_file_system, "permission denied"},
        {Step::kWrite, std::errc::no_space_on_device, "no space left on device"},
        {Step::kFlush, std::errc::no_space_on_device, "no space left on device"},
        {Step::kClose, std::errc::no_space_on_device, "no space left on device"},
        {Step::kRename, std::errc::is_a_directory, "is a folder"},
        {Step::kRename, std::errc::device_or_resource_busy, "in use by another program"},
        {Step::kCreate, std::errc::no_such_file_or_directory, "its folder does not exist"},
        {Step::kWrite, std::errc::io_error,
         "cannot be written: " + std::make_error_code(std::errc::io_error).message()},
    };
    for (const Case& c : cases) {
        testing::TempFolder folder;
        FailingFileOps ops(c.step, 1, std::make_error_code(c.error));
        const std::vector<std::span<const std::uint8_t>> chunks(kPieces.begin(), kPieces.end());
        const Status status = WriteFileAtomically(folder / "a.bmp", chunks, ops);
        EXPECT_EQ(status.reason(), c.reason) << static_cast<int>(c.step);
    }
    // A name already taken is tried again under another; any other failure is not.
    FailingFileOps denied(Step::kCreate, 0, std::make_error_code(std::errc::permission_denied));
    testing::TempFolder folder;
    EXPECT_FALSE(Write(folder / "a.bmp", kPieces, denied));
    EXPECT_EQ(denied.created.size(), 1u);
}

TEST(AtomicWrite, AFileThatWouldNotChangeIsLeftAlone) {
    testing::TempFolder folder;
    const auto target = folder / "Wall_D1.bmp";
    const std::vector<std::span<const std::uint8_t>> chunks(kPieces.begin(), kPieces.end());
    ASSERT_TRUE(WriteFileAtomically(target, chunks).ok());
    // Whole seconds: NTFS keeps 100 ns steps, so a finer time would not read back equal.
    const auto old = std::chrono::floor<std::chrono::seconds>(
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    std::filesystem::last_write_time(target, old);

    FailingFileOps ops(FailingFileOps::Step::kNone);
    WriteResult result = WriteFileIfChanged(target, chunks, ops);
    EXPECT_TRUE(result.status.ok());
    EXPECT_TRUE(result.unchanged);
    EXPECT_TRUE(ops.created.empty());
    EXPECT_EQ(std::filesystem::last_write_time(target), old);

    // The same size with one byte different; a file the new bytes begin with, and one that
    // begins with them.
    const std::vector<Bytes> differing = {Bytes(10, 1), Bytes(3000, 2), Bytes(1, 9),
                                          Bytes(70000, 4)};
    std::vector<Bytes> shorter(kPieces.begin(), kPieces.end());
    shorter.back().pop_back();
    for (const std::vector<Bytes>& pieces : {differing, kPieces, shorter, kPieces}) {
        const std::vector<std::span<const std::uint8_t>> next(pieces.begin(), pieces.end());
        result = WriteFileIfChanged(target, next, ops);
        EXPECT_TRUE(result.status.ok());
        EXPECT_FALSE(result.unchanged);
    }
}

}  // namespace
}  // namespace orvandel
