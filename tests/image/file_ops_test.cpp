#include "core/image/file_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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

    explicit FailingFileOps(Step step, int failingWrite = 0)
        : m_step(step), m_failingWrite(failingWrite) {}

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

    std::vector<std::filesystem::path> created;
    int writes = 0;
    int closes = 0;

private:
    static FileOps& Real() { return SystemFileOps(); }
    Step m_step;
    int m_failingWrite;
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
    return WriteFileAtomically(target, chunks, ops);
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

}  // namespace
}  // namespace orvandel
