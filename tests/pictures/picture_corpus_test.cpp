// Decodes every picture of the corpus that make_picture_corpus.py writes (the folder named by
// ORVANDEL_PICTURE_CORPUS) and compares each with its expected outcome and pixels. The same
// binary runs on Linux and, under Wine, as the Windows build: both must read alike.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/common/file_reader.h"
#include "core/image/picture_decoder.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    const FileBytes file = ReadWholeFile(path, 1u << 20);
    return file.bytes ? std::string(file.bytes->begin(), file.bytes->end()) : std::string();
}

TEST(PictureCorpus, EveryPictureDecodesAsExpected) {
    const char* folder = std::getenv("ORVANDEL_PICTURE_CORPUS");
    ASSERT_NE(folder, nullptr) << "set ORVANDEL_PICTURE_CORPUS to make_picture_corpus.py's folder";
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(fs::u8path(folder))) {
        if (entry.path().extension() != ".expect") {
            continue;
        }
        fs::path picture = entry.path();
        picture.replace_extension();
        const std::string name = picture.filename().string();
        std::string expect = ReadText(entry.path());
        expect = expect.substr(0, expect.find('\n'));
        const DecodeResult result = DecodePictureFile(picture);
        ++checked;
        if (expect.starts_with("refused ")) {
            const std::string words = expect.substr(8);
            EXPECT_FALSE(result.picture) << name;
            EXPECT_NE(result.reason.find(words), std::string::npos)
                << name << ": " << result.reason;
            continue;
        }
        ASSERT_TRUE(result.picture) << name << ": " << result.reason;
        const DecodedPicture& decoded = *result.picture;
        int width = 0;
        int height = 0;
        int bits = 0;
        std::size_t table = 0;
        ASSERT_EQ(std::sscanf(expect.c_str(), "ok %d %d %d %zu", &width, &height, &bits, &table), 4)
            << name << ": " << expect;
        EXPECT_EQ(decoded.width, width) << name;
        EXPECT_EQ(decoded.height, height) << name;
        EXPECT_EQ(decoded.bitsPerPixel, bits) << name;
        EXPECT_EQ(decoded.colourTable.size(), table) << name;
        fs::path rgbPath = picture;
        rgbPath += ".rgb";
        const std::string rgb = ReadText(rgbPath);
        ASSERT_EQ(rgb.size(),
                  static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
            << name;
        int wrong = 0;
        for (int y = 0; y < height && wrong < 3; ++y) {
            for (int x = 0; x < width && wrong < 3; ++x) {
                const std::size_t at =
                    (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)) *
                    3;
                const Colour want = MakeColour(static_cast<std::uint8_t>(rgb[at]),
                                               static_cast<std::uint8_t>(rgb[at + 1]),
                                               static_cast<std::uint8_t>(rgb[at + 2]));
                if (decoded.ColourAt(x, y) != want) {
                    ++wrong;
                    ADD_FAILURE() << name << " at " << x << "," << y << ": " << std::hex
                                  << decoded.ColourAt(x, y) << " instead of " << want;
                }
            }
        }
    }
    EXPECT_GT(checked, 60);
}

}  // namespace
}  // namespace orvandel
