#include "core/report/wall_set_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "core/image/indexed_image.h"
#include "core/session/wall_set_session.h"
#include "core/wallset/wallset_keys.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

using testing::MakeBmp;
using testing::MakeRiffPalette;
using testing::TempFolder;
using testing::TestPalette;
using testing::WriteFileBytes;

struct Reference {
    std::uint32_t approximated = 0;
    std::uint32_t seeThrough = 0;
    std::vector<ApproximatedColour> colours;
};

// One pixel at a time, by the octree itself and the definition: the file colour differs from
// the palette colour of the index it became.
Reference SlowReference(const std::vector<Colour>& pixels, const Palette16& palette) {
    std::map<Colour, ApproximatedColour> byColour;
    Reference ref;
    for (const Colour colour : pixels) {
        const std::uint8_t index = MatchColour(palette, colour);
        if (colour == palette[index]) {
            continue;
        }
        ++ref.approximated;
        ref.seeThrough += index == kTransparentIndex ? 1u : 0u;
        ApproximatedColour& entry = byColour[colour];
        entry = {colour, index, entry.pixels + 1};
    }
    for (const auto& [colour, entry] : byColour) {
        ref.colours.push_back(entry);
    }
    std::sort(ref.colours.begin(), ref.colours.end(), [](const auto& a, const auto& b) {
        const auto hex = [](Colour c) { return (RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c); };
        return std::make_tuple(-static_cast<long>(a.pixels), hex(a.colour)) <
               std::make_tuple(-static_cast<long>(b.pixels), hex(b.colour));
    });
    return ref;
}

// Mostly palette colours, with a few off-palette ones (some landing on index 10) repeated at
// random places, the way painted and then resaved pictures come.
std::vector<Colour> GeneratedPixels(int count, std::uint32_t seed, int distinct,
                                    int paletteColours) {
    const Palette16 palette = TestPalette();
    std::mt19937 random(seed);
    std::vector<Colour> off;
    off.push_back(palette[10] ^ 0x1u);  // becomes see-through
    for (int i = 1; i < distinct; ++i) {
        off.push_back(random() & 0xFFFFFFu);
    }
    std::vector<Colour> pixels;
    for (int i = 0; i < count; ++i) {
        pixels.push_back(
            random() % 4 == 0
                ? off[random() % off.size()]
                : palette[static_cast<int>(random() % static_cast<unsigned>(paletteColours))]);
    }
    return pixels;
}

TEST(WallSetReport, CountsMatchASlowReferenceForEveryDepth) {
    const Palette16 palette = TestPalette();
    for (const int bits : {24, 8, 4}) {
        SCOPED_TRACE(bits);
        TempFolder home;
        WriteFileBytes(home / kPaletteFileName,
                       MakeRiffPalette({palette.colours().begin(), palette.colours().end()}));
        std::array<std::vector<Colour>, 6> pictures;
        for (std::size_t slot = 0; slot < 6; ++slot) {
            const NeededSize size = NeededSizeOfSlot(static_cast<int>(slot));
            // Indexed pictures hold at most 2^bits colours, palette ones included.
            const int distinct = bits == 24 ? 40 : bits == 8 ? 12 : 1;
            pictures[slot] =
                GeneratedPixels(size.width * size.height, static_cast<std::uint32_t>(slot * 7 + 1),
                                distinct, bits == 4 ? 15 : 16);
            std::vector<Colour> table;
            if (bits != 24) {
                table = pictures[slot];
                std::sort(table.begin(), table.end());
                table.erase(std::unique(table.begin(), table.end()), table.end());
                ASSERT_LE(table.size(), std::size_t{1} << bits);
            }
            WriteFileBytes(home / kWallSetKeys[slot].defaultName,
                           MakeBmp(size.width, size.height, bits, pictures[slot], table));
        }
        WallSetSession session(home.path());
        session.Load();
        // The load itself lists no colours: only a report that asks pays for the list.
        for (const PictureReport& picture : session.report().pictures) {
            EXPECT_TRUE(picture.approximatedColours.empty());
            EXPECT_FALSE(picture.coloursListed);
        }
        const WallSetReport report = session.ReportWithColourLists();
        for (std::size_t slot = 0; slot < 6; ++slot) {
            SCOPED_TRACE(slot);
            const PictureReport& picture = report.pictures[slot];
            const Reference ref = SlowReference(pictures[slot], palette);
            ASSERT_TRUE(picture.loaded) << picture.reason;
            EXPECT_EQ(picture.approximatedPixels, ref.approximated);
            EXPECT_EQ(picture.seeThroughPixels, ref.seeThrough);
            EXPECT_EQ(picture.approximatedColours, ref.colours);
            EXPECT_EQ(picture.bitsPerPixel, bits);
            EXPECT_FALSE(picture.TooSmall());
        }
        EXPECT_EQ(report.UncoveredPieces(), 0);
        EXPECT_FALSE(report.StrictOk());
    }
}

// The smallest size by trying them all: every form of the slot must cover its rectangle.
NeededSize SlowNeededSize(int slot) {
    const auto coversAll = [slot](int width, int height) {
        for (int row = 0; row < kViewCellCount; ++row) {
            for (const PieceForm& form : {OwnForm(row), AlternateForm(row)}) {
                if (form.slot == slot && !ComputePieceCoverage(form, width, height).CoversAll()) {
                    return false;
                }
            }
        }
        return true;
    };
    NeededSize needed{1, 1};
    while (!coversAll(needed.width, kMaxPictureHeight)) {
        ++needed.width;
    }
    while (!coversAll(kMaxPictureWidth, needed.height)) {
        ++needed.height;
    }
    return needed;
}

TEST(WallSetReport, NeededSizesAreTheSmallestThatCoverEveryForm) {
    // What the table makes of the six slots, as artists know them.
    const NeededSize known[6] = {{32, 136}, {32, 136}, {256, 111}, {136, 71}, {117, 51}, {16, 49}};
    for (int slot = 0; slot < 6; ++slot) {
        const NeededSize needed = NeededSizeOfSlot(slot);
        const NeededSize slow = SlowNeededSize(slot);
        EXPECT_EQ(needed.width, slow.width) << slot;
        EXPECT_EQ(needed.height, slow.height) << slot;
        EXPECT_EQ(needed.width, known[slot].width) << slot;
        EXPECT_EQ(needed.height, known[slot].height) << slot;
    }
}

TEST(WallSetReport, ATooSmallPictureLeavesItsPiecesUncovered) {
    const Palette16 palette = TestPalette();
    TempFolder home;
    WriteFileBytes(home / kPaletteFileName,
                   MakeRiffPalette({palette.colours().begin(), palette.colours().end()}));
    for (std::size_t slot = 0; slot < 6; ++slot) {
        NeededSize size = NeededSizeOfSlot(static_cast<int>(slot));
        if (slot == 0) {
            size = {40, 100};
        }
        WriteFileBytes(
            home / kWallSetKeys[slot].defaultName,
            MakeBmp(size.width, size.height, 24,
                    std::vector<Colour>(static_cast<std::size_t>(size.width * size.height),
                                        palette[3])));
    }
    WallSetSession session(home.path());
    session.Load();
    const WallSetReport& report = session.report();
    EXPECT_TRUE(report.pictures[0].TooSmall());
    EXPECT_EQ(report.pictures[0].approximatedPixels, 0u);
    int uncovered = 0;
    for (const PieceReport& piece : report.pieces) {
        if (piece.form.slot == 0) {
            EXPECT_FALSE(piece.covered());
            ASSERT_EQ(piece.coverage.emptyRows.size(), 1u);
            EXPECT_EQ(piece.coverage.emptyRows[0], (PixelRun{100, 135}));
            ++uncovered;
        } else {
            EXPECT_EQ(piece.covered(), !piece.emptySlot) << piece.row;
        }
    }
    EXPECT_EQ(uncovered, 2);  // right side at distance 0, and the left side's alternate
    EXPECT_EQ(report.UncoveredPieces(), 2);
    EXPECT_FALSE(report.StrictOk());
}

}  // namespace
}  // namespace orvandel

namespace orvandel {
namespace {

// A noisy picture: every one of its thousands of colours is listed with its exact count, the
// same as one pixel at a time finds them.
TEST(WallSetReport, NoisyPicturesListEveryColourWithExactCounts) {
    const Palette16 palette = testing::TestPalette();
    std::vector<Colour> pixels;
    for (std::uint32_t i = 0; i < 320 * 60; ++i) {
        // 12,000 distinct colours, most of them met more than once.
        pixels.push_back(((i % 12000) * 2654435761u) & 0xFFFFFFu);
    }
    DecodedPicture picture;
    picture.width = 320;
    picture.height = 60;
    picture.bitsPerPixel = 24;
    picture.pixels = pixels;
    CIndexedImage image;
    image.SetPalette(palette);
    ASSERT_TRUE(image.LoadFromPicture(picture));
    const Reference ref = SlowReference(pixels, palette);
    EXPECT_EQ(image.loadInfo().approximatedPixels, ref.approximated);
    EXPECT_EQ(image.loadInfo().seeThroughPixels, ref.seeThrough);
    const std::vector<ApproximatedColour> colours = image.ApproximatedColours();
    EXPECT_GT(colours.size(), 4096u);
    EXPECT_EQ(colours, ref.colours);
}

}  // namespace
}  // namespace orvandel
