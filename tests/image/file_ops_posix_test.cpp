#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <span>
#include <vector>

#include "core/image/file_ops.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

// A replaced picture keeps the mode it had, read-only included: on POSIX the folder, not the
// file, decides whether a name may be replaced.
TEST(AtomicWritePosix, ReplacedFileKeepsItsPermissions) {
    for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0444}}) {
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
