#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <iterator>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/image/file_ops.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

// A replaced picture keeps the mode it had.
TEST(AtomicWritePosix, ReplacedFileKeepsItsPermissions) {
    for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0755}, mode_t{0200}}) {
        testing::TempFolder folder;
        const auto path = folder / "Wall_D1L.bmp";
        testing::WriteFileBytes(path, {1, 2, 3});
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        const std::vector<std::uint8_t> bytes = {'n', 'e', 'w'};
        const std::array<std::span<const std::uint8_t>, 1> chunks{bytes};
        ASSERT_TRUE(WriteFileAtomically(path, chunks)) << std::oct << mode;
        EXPECT_EQ(testing::ReadFileBytes(path), (std::vector<unsigned char>{'n', 'e', 'w'}));
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
}

}  // namespace
}  // namespace orvandel

namespace orvandel {
namespace {

using Chunks = std::array<std::span<const std::uint8_t>, 1>;
const std::vector<std::uint8_t> kNew = {'n', 'e', 'w'};

bool IsFifo(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// Where a write lands when the name is a link: the program's own names replace the link (a
// wall set cannot aim a write outside its folder); a name the user gave follows it, as `>` does.
TEST(WriteTargets, LinksAreReplacedOrFollowedByWhoNamedThem) {
    for (const bool userNamed : {false, true}) {
        testing::TempFolder folder;
        testing::WriteFileText(folder / "outside.bmp", "old");
        std::filesystem::create_symlink(folder / "outside.bmp", folder / "Wall_D1.bmp");
        const Chunks chunks{kNew};
        const Status written = userNamed ? WriteNamedFile(folder / "Wall_D1.bmp", chunks)
                                         : WriteFileAtomically(folder / "Wall_D1.bmp", chunks);
        ASSERT_TRUE(written.ok()) << written.reason();
        EXPECT_EQ(std::filesystem::is_symlink(folder / "Wall_D1.bmp"), userNamed);
        EXPECT_EQ(testing::ReadFileBytes(folder / "outside.bmp")[0], userNamed ? 'n' : 'o');
    }
    // A link to a file not made yet makes that file.
    testing::TempFolder folder;
    std::filesystem::create_symlink("later.png", folder / "view.png");
    ASSERT_TRUE(WriteNamedFile(folder / "view.png", Chunks{kNew}).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "view.png"));
    EXPECT_EQ(testing::ReadFileBytes(folder / "later.png").size(), 3u);
}

// A device or FIFO named by the user gets the bytes and stays what it was.
TEST(WriteTargets, DevicesAndFifosAreWrittenAsStreams) {
    ASSERT_TRUE(WriteNamedFile("/dev/null", Chunks{kNew}).ok());
    struct stat info {};
    ASSERT_EQ(::stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));

    testing::TempFolder folder;
    const auto fifo = folder / "view.bmp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::uint8_t> received;
    std::thread reader([&] {
        const int fd = ::open(fifo.c_str(), O_RDONLY);
        std::uint8_t buffer[16];
        for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
            received.insert(received.end(), buffer, buffer + got);
        }
        ::close(fd);
    });
    const Status written = WriteNamedFile(fifo, Chunks{kNew});
    reader.join();
    EXPECT_TRUE(written.ok()) << written.reason();
    EXPECT_EQ(received, kNew);
    EXPECT_TRUE(IsFifo(fifo));

    const Status full = WriteNamedFile("/dev/full", Chunks{kNew});
    EXPECT_EQ(full.reason(), "no space left on device");
}

// A file marked read-only (as a checkout leaves it) is refused by every writer and kept, even
// for root, who could write it.
TEST(WriteTargets, ReadOnlyFilesAreRefusedAndKept) {
    for (const bool userNamed : {false, true}) {
        testing::TempFolder folder;
        const auto path = folder / "Wall_D3L.bmp";
        testing::WriteFileText(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
        const Status written = userNamed ? WriteNamedFile(path, Chunks{kNew})
                                         : WriteFileAtomically(path, Chunks{kNew});
        EXPECT_EQ(written.reason(), "read-only: check it out or clear the read-only flag");
        EXPECT_EQ(testing::ReadFileBytes(path).size(), 3u);
        EXPECT_EQ(testing::ReadFileBytes(path)[0], 'o');
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

// Only this writer's own temporary files of the named pictures go, and only when their process
// is gone.
TEST(WriteTargets, StaleTemporaryFilesOfGoneWritersAreRemoved) {
    testing::TempFolder folder;
    pid_t gone = ::fork();
    if (gone == 0) {
        ::_exit(0);
    }
    ::waitpid(gone, nullptr, 0);
    const std::string own = std::to_string(::getpid());
    const std::string dead = std::to_string(gone);
    const std::vector<std::pair<std::string, bool>> entries = {
        {".Wall_D1.bmp.aB3xY9-" + dead + ".tmp", false},
        {".Wall_D1.bmp.aB3xY9-" + own + ".tmp", true},   // being written right now
        {".Wall_D9.bmp.aB3xY9-" + dead + ".tmp", true},  // not a picture it was asked about
        {".Wall_D1.bmp.aB3x-" + dead + ".tmp", true},    // not a name it makes
        {".Wall_D1.bmp.aB3xY9.tmp", true},
        {"Wall_D1.bmp", true},
    };
    for (const auto& [name, kept] : entries) {
        testing::WriteFileText(folder / name, "x");
    }
    const std::vector<std::string> names = {"Wall_D1.bmp", "Wall_D2.bmp"};
    RemoveStaleTemporaryFiles(folder.path(), names);
    for (const auto& [name, kept] : entries) {
        EXPECT_EQ(std::filesystem::exists(folder / name), kept) << name;
    }
}

}  // namespace
}  // namespace orvandel
