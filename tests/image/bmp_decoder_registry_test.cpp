#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "core/common/message_texts.h"
#include "core/image/picture_decoder.h"
#include "image/bmp_decoder_builder.h"
#include "support/non_regular_file.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

using testing::TempFolder;
using testing::WriteFileBytes;

// Claims every file and answers with a 1 x 1 picture, counting how often it was asked.
class GreedyDecoder final : public PictureDecoder {
public:
    bool Recognizes(std::span<const std::uint8_t>) const override { return true; }
    DecodeResult Decode(const std::filesystem::path&) const override {
        ++decodes;
        DecodedPicture picture;
        picture.width = 1;
        picture.height = 1;
        picture.bitsPerPixel = 24;
        picture.pixels = {MakeColour(9, 9, 9)};
        return {picture, {}};
    }
    mutable std::atomic<int> decodes{0};
};

// Recognizes only files that start with its signature.
class SignatureDecoder final : public PictureDecoder {
public:
    bool Recognizes(std::span<const std::uint8_t> head) const override {
        return head.size() >= 4 && head[0] == 'F' && head[1] == 'A' && head[2] == 'K' &&
               head[3] == 'E';
    }
    DecodeResult Decode(const std::filesystem::path&) const override {
        return DecodeResult::Fail("fake refusal");
    }
};

class PictureRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ClearRegisteredPictureDecoders(); }
    void TearDown() override { ClearRegisteredPictureDecoders(); }

    std::filesystem::path Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        WriteFileBytes(m_folder / name, bytes);
        return m_folder / name;
    }

    TempFolder m_folder;
};

std::vector<unsigned char> SmallBmp() {
    testing::BmpRecipe recipe;
    recipe.width = 2;
    recipe.height = 2;
    recipe.table = {MakeColour(1, 2, 3), MakeColour(4, 5, 6)};
    recipe.indices = {0, 1, 1, 0};
    const auto bytes = testing::BuildBmp(recipe);
    return {bytes.begin(), bytes.end()};
}

TEST_F(PictureRegistryTest, FilesThatAreNotBmpGoToTheFirstDecoderThatRecognizesThem) {
    auto greedy = std::make_shared<GreedyDecoder>();
    RegisterPictureDecoder(std::make_shared<SignatureDecoder>());
    RegisterPictureDecoder(greedy);

    EXPECT_EQ(DecodePictureFile(Write("a.fake", {'F', 'A', 'K', 'E', 0})).reason, "fake refusal");
    const auto other = DecodePictureFile(Write("b.png", {0x89, 'P', 'N', 'G'}));
    ASSERT_TRUE(other.picture) << other.reason;
    EXPECT_EQ(other.picture->ColourAt(0, 0), MakeColour(9, 9, 9));
    EXPECT_EQ(greedy->decodes, 1);
}

TEST_F(PictureRegistryTest, BmpFilesStayWithTheBmpDecoderEvenWhenItRefuses) {
    auto greedy = std::make_shared<GreedyDecoder>();
    RegisterPictureDecoder(greedy);

    const auto good = DecodePictureFile(Write("good.bmp", SmallBmp()));
    ASSERT_TRUE(good.picture) << good.reason;
    EXPECT_EQ(good.picture->ColourAt(1, 0), MakeColour(4, 5, 6));

    auto bad = SmallBmp();
    bad[28] = 32;  // a depth the BMP decoder refuses
    EXPECT_EQ(DecodePictureFile(Write("bad.bmp", bad)).reason,
              "32 bits per pixel: save as 8-bit indexed or 24-bit");
    EXPECT_EQ(greedy->decodes, 0);
}

TEST_F(PictureRegistryTest, FilesNoDecoderCanReadSayWhy) {
    EXPECT_EQ(DecodePictureFile(m_folder / "absent.bmp").reason, "missing file");
    EXPECT_EQ(DecodePictureFile(Write("empty.bmp", {})).reason, "empty file");
    EXPECT_EQ(DecodePictureFile(Write("b.png", {0x89, 'P', 'N', 'G'})).reason,
              messages::kUnknownPictureFormat);
    EXPECT_EQ(DecodePictureFile(m_folder.path()).reason, "is a folder, not a file");
    const auto fifo = testing::MakeNonRegularFile(m_folder.path(), "fifo.bmp");
    ASSERT_FALSE(fifo.empty());
    EXPECT_EQ(DecodePictureFile(fifo).reason, "not a regular file");
    // Only a whole "BM" counts as a BMP signature.
    EXPECT_EQ(DecodePictureFile(Write("b", {'B'})).reason, messages::kUnknownPictureFormat);
}

TEST_F(PictureRegistryTest, ClearingForgetsRegisteredDecoders) {
    RegisterPictureDecoder(std::make_shared<GreedyDecoder>());
    ClearRegisteredPictureDecoders();
    EXPECT_FALSE(DecodePictureFile(Write("x.gif", {'G', 'I', 'F'})).picture);
}

}  // namespace
}  // namespace orvandel
