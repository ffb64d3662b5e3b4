#include <gtest/gtest.h>

#include "core/common/file_reader.h"

namespace orvandel {
namespace {

TEST(FileReaderPosix, RefusesEndlessDevices) {
    for (const char* device : {"/dev/zero", "/dev/urandom", "/dev/null"}) {
        EXPECT_EQ(ReadWholeFile(device, 1024).reason, "not a regular file") << device;
    }
}

}  // namespace
}  // namespace orvandel
