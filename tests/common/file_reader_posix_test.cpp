#include <gtest/gtest.h>

#include "core/common/file_reader.h"

namespace orvandel {
namespace {

TEST(FileReaderPosix, RefusesEndlessDevices) {
    // /proc's files say they are empty and still give bytes: no file of a wall set, not empty.
    for (const char* device :
         {"/dev/zero", "/dev/urandom", "/dev/null", "/proc/self/environ", "/proc/self/status"}) {
        EXPECT_EQ(ReadWholeFile(device, 1024).reason, "not a regular file") << device;
    }
}

}  // namespace
}  // namespace orvandel
