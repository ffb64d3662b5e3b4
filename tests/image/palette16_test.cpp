#include "core/image/palette16.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "support/non_regular_file.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Append32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

void Append16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// A chunk with an explicit size field; the pad byte after odd contents is added as RIFF wants.
Bytes Chunk(const std::string& id, const Bytes& contents, std::uint32_t sizeField) {
    Bytes out(id.begin(), id.end());
    Append32(out, sizeField);
    out.insert(out.end(), contents.begin(), contents.end());
    if (contents.size() % 2 != 0) {
        out.push_back(0);
    }
    return out;
}

Bytes Chunk(const std::string& id, const Bytes& contents) {
    return Chunk(id, contents, static_cast<std::uint32_t>(contents.size()));
}

Bytes Riff(const std::string& form, const std::vector<Bytes>& subChunks) {
    Bytes body(form.begin(), form.end());
    for (const Bytes& sub : subChunks) {
        body.insert(body.end(), sub.begin(), sub.end());
    }
    Bytes out{'R', 'I', 'F', 'F'};
    Append32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A logical-palette record: version, count, then `entries` entries of which entry i is
// (i, 2i, 3i, flags 0xFF), padded with zero bytes to `size` when that is larger.
Bytes Record(std::uint32_t version, std::uint32_t count, std::uint32_t entries,
             std::size_t size = 0) {
    Bytes out;
    Append16(out, version);
    Append16(out, count);
    for (std::uint32_t i = 0; i < entries; ++i) {
        out.push_back(static_cast<std::uint8_t>(i));
        out.push_back(static_cast<std::uint8_t>(2 * i));
        out.push_back(static_cast<std::uint8_t>(3 * i));
        out.push_back(0xFF);
    }
    out.resize(std::max(out.size(), size), 0);
    return out;
}

Bytes PaletteFile(const Bytes& record) {
    return Riff("PAL ", {Chunk("data", record)});
}

Colour RecordColour(int i) {
    return MakeColour(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(2 * i),
                      static_cast<std::uint8_t>(3 * i));
}

void ExpectRecordColours(const Palette16& palette) {
    for (int i = 0; i < Palette16::kSize; ++i) {
        EXPECT_EQ(palette[i], RecordColour(i)) << "entry " << i;
    }
}

TEST(PaletteRead, StandardPaletteGivesItsFirstSixteenColours) {
    std::vector<Colour> colours(256);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        colours[i] = MakeColour(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                static_cast<std::uint8_t>(i * 7));
    }
    const auto file = testing::MakeRiffPalette(colours);
    ASSERT_EQ(file.size(), 12u + 8u + 1028u);
    Palette16 palette;
    ASSERT_TRUE(palette.ReadPaletteBytes(file));
    for (int i = 0; i < Palette16::kSize; ++i) {
        EXPECT_EQ(palette[i], colours[static_cast<std::size_t>(i)]);
    }
}

TEST(PaletteRead, EntryBytesAreRedGreenBlueAndFlagsAreIgnored) {
    Bytes record = Record(0x0300, 16, 16);
    record[4 + 4 * 3] = 0x10;
    record[5 + 4 * 3] = 0x20;
    record[6 + 4 * 3] = 0x30;
    record[7 + 4 * 3] = 0xFF;
    Palette16 palette;
    ASSERT_TRUE(palette.ReadPaletteBytes(PaletteFile(record)));
    EXPECT_EQ(palette[3], 0x00302010u);
}

TEST(PaletteRead, AcceptedRecords) {
    struct Case {
        const char* what;
        Bytes file;
    };
    const std::vector<Case> cases = {
        {"count 16", PaletteFile(Record(0x0300, 16, 16))},
        {"count 256", PaletteFile(Record(0x0300, 256, 256))},
        {"count 256 in 68 bytes", PaletteFile(Record(0x0300, 256, 16))},
        {"1032-byte chunk", PaletteFile(Record(0x0300, 256, 256, 1032))},
        {"any form type", Riff("\x01\xFFzz", {Chunk("data", Record(0x0300, 16, 16))})},
        {"junk chunk before RIFF",
         [] {
             Bytes file = Chunk("JUNK", Bytes(10, 0xAA));
             const Bytes riff = PaletteFile(Record(0x0300, 16, 16));
             file.insert(file.end(), riff.begin(), riff.end());
             return file;
         }()},
        {"odd sub-chunk padded", Riff("PAL ", {Chunk("note", Bytes{'a', 'b', 'c'}),
                                               Chunk("data", Record(0x0300, 16, 16))})},
        {"other sub-chunks first",
         Riff("PAL ", {Chunk("LIST", Bytes(40, 0)), Chunk("dat ", Bytes(6, 0)),
                       Chunk("data", Record(0x0300, 16, 16))})},
    };
    for (const Case& c : cases) {
        Palette16 palette;
        const Status status = palette.ReadPaletteBytes(c.file);
        EXPECT_TRUE(status) << c.what << ": " << status.reason();
        ExpectRecordColours(palette);
    }
}

TEST(PaletteRead, RefusedFilesLeaveThePaletteUntouched) {
    struct Case {
        const char* what;
        Bytes file;
        std::string reason;
    };
    const Bytes good = Record(0x0300, 16, 16);
    const Bytes goodFile = PaletteFile(good);
    const std::vector<Case> cases = {
        {"empty file",
         {},
         "no RIFF chunk, and not a JASC-PAL or GIMP palette: save the palette in one of these "
         "formats"},
        {"no RIFF", Chunk("JUNK", good),
         "no RIFF chunk, and not a JASC-PAL or GIMP palette: save the palette in one of these "
         "formats"},
        {"RIFF without form type", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0},
         "no RIFF chunk, and not a JASC-PAL or GIMP palette: save the palette in one of these "
         "formats"},
        {"no data chunk", Riff("PAL ", {Chunk("note", good)}), "no data chunk"},
        {"data after the RIFF end",
         [&] {
             Bytes file = Riff("PAL ", {Chunk("note", Bytes(4, 0))});
             const Bytes data = Chunk("data", good);
             file.insert(file.end(), data.begin(), data.end());
             return file;
         }(),
         "no data chunk"},
        {"odd sub-chunk not padded",
         [&] {
             Bytes file = Riff("PAL ", {Chunk("note", Bytes{'a', 'b', 'c'}), Chunk("data", good)});
             file.erase(file.begin() + 12 + 8 + 3);  // drop the pad byte
             return file;
         }(),
         "no data chunk"},
        {"sub-chunk size past the end",
         Riff("PAL ", {Chunk("note", Bytes(4, 0), 0xFFFFFFFF), Chunk("data", good)}),
         "no data chunk"},
        {"1033-byte chunk", PaletteFile(Record(0x0300, 256, 256, 1033)),
         "data chunk of 1033 bytes is larger than 1032"},
        {"huge chunk", Riff("PAL ", {Chunk("data", good, 0xFFFFFFFF)}),
         "data chunk of 4294967295 bytes is larger than 1032"},
        {"67-byte chunk", PaletteFile(Record(0x0300, 16, 15, 67)),
         "data chunk of 67 bytes holds 15 colours; 16 are needed"},
        {"2-byte chunk", PaletteFile(Bytes{0x00, 0x03}),
         "data chunk of 2 bytes holds 0 colours; 16 are needed"},
        {"count 15", PaletteFile(Record(0x0300, 15, 16)), "entry count 15 is not 16..256"},
        {"count 257", PaletteFile(Record(0x0300, 257, 257)), "entry count 257 is not 16..256"},
        {"version 0x0301", PaletteFile(Record(0x0301, 16, 16)), "version 0x0301 is not 0x0300"},
        {"file ends inside data", Bytes(goodFile.begin(), goodFile.end() - 1),
         "truncated: data chunk ends at byte 87"},
    };
    const Palette16 before = testing::TestPalette();
    for (const Case& c : cases) {
        Palette16 palette = before;
        const Status status = palette.ReadPaletteBytes(c.file);
        EXPECT_FALSE(status) << c.what;
        EXPECT_EQ(status.reason(), c.reason) << c.what;
        EXPECT_EQ(palette, before) << c.what;
    }
}

TEST(PaletteReadFile, ReadsTheSameAsFromMemory) {
    testing::TempFolder folder;
    const Bytes file = PaletteFile(Record(0x0300, 20, 20));
    testing::WriteFileBytes(folder / "wallpalette.pal", file);
    Palette16 palette;
    ASSERT_TRUE(palette.ReadPaletteFile(folder / "wallpalette.pal"));
    ExpectRecordColours(palette);

    testing::WriteFileBytes(folder / "bad.pal", PaletteFile(Record(0x0301, 16, 16)));
    const Palette16 before = palette;
    const Status status = palette.ReadPaletteFile(folder / "bad.pal");
    EXPECT_EQ(status.reason(), "version 0x0301 is not 0x0300");
    EXPECT_EQ(palette, before);
}

TEST(PaletteReadFile, MissingFileFolderAndFifoFail) {
    testing::TempFolder folder;
    Palette16 palette = testing::TestPalette();
    const Status missing = palette.ReadPaletteFile(folder / "wallpalette.pal");
    EXPECT_EQ(missing.reason(), "missing file");
    EXPECT_FALSE(palette.ReadPaletteFile(folder.path()));
    const auto fifo = testing::MakeNonRegularFile(folder.path(), "fifo.pal");
    ASSERT_FALSE(fifo.empty());
    EXPECT_EQ(palette.ReadPaletteFile(fifo).reason(), "not a regular file");
    EXPECT_EQ(palette, testing::TestPalette());
}

// A file with a 2 GiB junk chunk before the RIFF chunk is held sparse on disk; reading it must
// skip the junk rather than read it.
TEST(PaletteReadFile, SkipsHugeChunksWithoutReadingThem) {
    testing::TempFolder folder;
    const auto path = folder / "big.pal";
    const std::uint32_t junkSize = 0x7FFFFFF0;
    {
        std::ofstream out(path, std::ios::binary);
        Bytes header = {'J', 'U', 'N', 'K'};
        Append32(header, junkSize);
        out.write(reinterpret_cast<const char*>(header.data()), 8);
        out.seekp(8 + static_cast<std::streamoff>(junkSize));
        const Bytes riff = PaletteFile(Record(0x0300, 16, 16));
        out.write(reinterpret_cast<const char*>(riff.data()),
                  static_cast<std::streamsize>(riff.size()));
        ASSERT_TRUE(out.good());
    }
    const auto start = std::chrono::steady_clock::now();
    Palette16 palette;
    const Status status = palette.ReadPaletteFile(path);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(status) << status.reason();
    ExpectRecordColours(palette);
    EXPECT_LT(elapsed, std::chrono::seconds(1));
}

}  // namespace
}  // namespace orvandel

namespace orvandel {
namespace {

std::string ColourLines(int count, const char* suffix = "") {
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += std::to_string(i) + " " + std::to_string(2 * i % 256) + " " +
                 std::to_string(255 - i) + suffix + "\n";
    }
    return lines;
}

TEST(PaletteReadText, JascAndGimpPalettesGiveTheirFirstSixteenColours) {
    struct Case {
        const char* what;
        std::string text;
        std::string reason;  // empty: read
    };
    const Case cases[] = {
        {"JASC, 16", "JASC-PAL\r\n0100\r\n16\r\n" + ColourLines(16), ""},
        {"JASC, 256", "JASC-PAL\n0100\n256\n" + ColourLines(256), ""},
        {"GIMP, named colours and comments",
         "GIMP Palette\nName: Stone\nColumns: 4\n#\n# a comment\n" + ColourLines(20, "\tgrey"), ""},
        {"JASC, 8", "JASC-PAL\n0100\n8\n" + ColourLines(8),
         "JASC-PAL palette of 8 colours; 16 are needed"},
        {"JASC, count beyond the lines", "JASC-PAL\n0100\n16\n" + ColourLines(9),
         "JASC-PAL palette of 9 colours; 16 are needed"},
        {"GIMP, 15", "GIMP Palette\n" + ColourLines(15),
         "GIMP palette of 15 colours; 16 are needed"},
        {"JASC, a channel past 255", "JASC-PAL\n0100\n16\n1 2 300\n" + ColourLines(15),
         "JASC-PAL palette: line 4 is not as expected; write colours as three numbers from 0 "
         "to 255"},
        {"JASC, wrong version", "JASC-PAL\n0200\n16\n" + ColourLines(16),
         "JASC-PAL palette: line 2 is not as expected; write colours as three numbers from 0 "
         "to 255"},
        // Past the 256 KB that are read, a line cut by the limit is no fault; too few colours
        // within it are, and the reason names the limit.
        {"JASC, long past the read limit",
         "JASC-PAL\n0100\n99999\n" + ColourLines(16) +
             [] {
                 std::string more;
                 for (int k = 0; k < 60000; ++k) {
                     more += "1 2 3\n";
                 }
                 return more;
             }(),
         ""},
        {"JASC, padded past the read limit",
         "JASC-PAL\n0100\n16\n" + ColourLines(8) + std::string(300000, ' ') + "\n",
         "JASC-PAL palette of 8 colours; 16 are needed (the file is larger than the 256 KB that "
         "are read)"},
        {"plain text", "16 colours follow\n" + ColourLines(16),
         "no RIFF chunk, and not a JASC-PAL or GIMP palette: save the palette in one of these "
         "formats"},
    };
    for (const Case& c : cases) {
        Palette16 palette;
        palette[0] = 0xABCDEF;
        const Status status = palette.ReadPaletteBytes(std::span<const std::uint8_t>(
            reinterpret_cast<const std::uint8_t*>(c.text.data()), c.text.size()));
        if (c.reason.empty()) {
            ASSERT_TRUE(status) << c.what << ": " << status.reason();
            EXPECT_EQ(palette[0], MakeColour(0, 0, 255)) << c.what;
            EXPECT_EQ(palette[15], MakeColour(15, 30, 240)) << c.what;
        } else {
            EXPECT_EQ(status.reason(), c.reason) << c.what;
            EXPECT_EQ(palette[0], 0xABCDEFu) << c.what;  // a refusal changes nothing
        }
    }
}

}  // namespace
}  // namespace orvandel
