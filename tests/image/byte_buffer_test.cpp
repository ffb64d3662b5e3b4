#include "core/image/byte_buffer.h"

#include <gtest/gtest.h>

#include <array>

namespace orvandel {
namespace {

TEST(ByteBuffer, GrowingKeepsOldBytesAndShrinkingToZeroFreesMemory) {
    CByteBuffer buffer;
    const std::array<std::uint8_t, 4> source{1, 2, 3, 4};
    ASSERT_TRUE(buffer.Resize(4, source.data()));
    ASSERT_TRUE(buffer.Resize(8));
    EXPECT_EQ(buffer.size(), 8u);
    EXPECT_EQ(buffer.data()[0], 1);
    EXPECT_EQ(buffer.data()[3], 4);
    ASSERT_TRUE(buffer.Resize(2));
    EXPECT_EQ(buffer.data()[1], 2);
    ASSERT_TRUE(buffer.Resize(0));
    EXPECT_EQ(buffer.data(), nullptr);
    EXPECT_EQ(buffer.size(), 0u);
}

TEST(ByteBuffer, CopiesAreIndependent) {
    CByteBuffer a;
    const std::array<std::uint8_t, 3> source{7, 8, 9};
    ASSERT_TRUE(a.Resize(3, source.data()));
    CByteBuffer b = a;
    b.data()[0] = 42;
    EXPECT_EQ(a.data()[0], 7);
    CByteBuffer empty;
    b = empty;
    EXPECT_EQ(b.data(), nullptr);
    EXPECT_EQ(b.size(), 0u);
}

TEST(ByteBuffer, EmptyingKeepsTheBlockForTheNextPictureOfNoLargerSize) {
    CByteBuffer buffer;
    ASSERT_TRUE(buffer.Resize(100));
    const std::uint8_t* block = buffer.data();
    buffer.Empty();
    EXPECT_EQ(buffer.data(), nullptr);
    EXPECT_EQ(buffer.size(), 0u);
    // Reused for the same size and a smaller one; a larger one needs a new block.
    ASSERT_TRUE(buffer.Resize(60));
    EXPECT_EQ(buffer.data(), block);
    EXPECT_EQ(buffer.capacity(), 100u);
    ASSERT_TRUE(buffer.Resize(101));
    EXPECT_EQ(buffer.capacity(), 101u);
    // A moved-from buffer holds nothing it could write through.
    CByteBuffer moved = std::move(buffer);
    EXPECT_EQ(buffer.capacity(), 0u);  // NOLINT(bugprone-use-after-move)
    EXPECT_FALSE(buffer.data());
    ASSERT_TRUE(buffer.Resize(4));
}

}  // namespace
}  // namespace orvandel
