#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"
#include "core/common/message_texts.h"
#include "core/image/palette16.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel::testing {
namespace {

std::uint16_t Read16(const std::vector<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

TEST(CliPalette, PrintsAndWritesTheFirstSixteenColoursOfAPictureOrPalette) {
    TempFolder home;
    std::vector<Colour> table;
    for (int i = 0; i < 256; ++i) {
        table.push_back(
            MakeColour(static_cast<std::uint8_t>(i), 7, static_cast<std::uint8_t>(255 - i)));
    }
    const std::vector<Colour> pixels(4 * 2, table[20]);
    WriteFileBytes(home / "indexed.bmp", MakeBmp(4, 2, 8, pixels, table));

    const CliResult printed = RunCli(home.path(), {"palette", "indexed.bmp"});
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_NE(printed.out.find(" 0  #0007ff\n"), std::string::npos) << printed.out;
    EXPECT_NE(printed.out.find("15  #0f07f0\n"), std::string::npos) << printed.out;
    EXPECT_EQ(printed.out.find("\x1b["), std::string::npos);  // no swatches into a pipe

    const CliResult written =
        RunCli(home.path(), {"palette", "indexed.bmp", "--output", "out.pal"});
    EXPECT_EQ(written.status, 0) << written.err;
    const std::vector<unsigned char> bytes = ReadFileBytes(home / "out.pal");
    ASSERT_EQ(bytes.size(), 88u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "PAL data");
    EXPECT_EQ(Read16(bytes, 20), 0x0300);
    EXPECT_EQ(Read16(bytes, 22), 16);
    Palette16 palette;
    ASSERT_TRUE(palette.ReadPaletteFile(home / "out.pal"));
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(palette[i], table[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(bytes[24 + 4 * static_cast<std::size_t>(i) + 3], 0) << "flags of " << i;
    }
    // The written palette reads back through the command too.
    EXPECT_EQ(RunCli(home.path(), {"palette", "out.pal"}).out, printed.out);
}

TEST(CliPalette, RefusesSourcesWithoutSixteenColoursAndLeavesTheOutputAlone) {
    TempFolder home;
    WriteFileBytes(home / "two.bmp",
                   MakeBmp(8, 1, 1, std::vector<Colour>(8, 0xFFFFFF), {0x000000, 0xFFFFFF}));
    WriteFileBytes(home / "deep.bmp", MakeBmp(2, 2, 24, std::vector<Colour>(4, 0x123456)));
    WriteFileText(home / "few.pal", "JASC-PAL\n0100\n2\n0 0 0\n255 255 255\n");
    // An 8-bit picture whose table holds 8 entries: the decoder pads it, the file does not.
    std::vector<Colour> eight;
    for (Colour c = 0; c < 8; ++c) {
        eight.push_back(c * 0x101010u);
    }
    WriteFileBytes(home / "eight.bmp", MakeBmp(8, 1, 8, eight, eight));
    WriteFileText(home / "out.pal", "kept");
    const std::pair<const char*, const char*> cases[] = {
        {"two.bmp", "colour table of 2 colours; 16 are needed"},
        {"deep.bmp", "a 24-bit picture has no colour table"},
        {"few.pal", "JASC-PAL palette of 2 colours; 16 are needed"},
        {"eight.bmp", "colour table of 8 colours; 16 are needed"},
    };
    for (const auto& [file, reason] : cases) {
        const CliResult result = RunCli(home.path(), {"palette", file, "--output", "out.pal"});
        EXPECT_EQ(result.status, 1) << file;
        EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
    }
    EXPECT_EQ(ReadFileBytes(home / "out.pal"), (std::vector<unsigned char>{'k', 'e', 'p', 't'}));
}

}  // namespace
}  // namespace orvandel::testing
