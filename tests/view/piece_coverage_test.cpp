#include "core/view/piece_coverage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/image/colour_table.h"
#include "core/view/blit_piece.h"
#include "core/view/viewport_size.h"

namespace orvandel {
namespace {

CIndexedImage SolidImage(int width, int height) {
    CIndexedImage image;
    if (width > 0 && height > 0) {
        image.Init(width, height);
        std::fill_n(image.pixels(), width * height, std::uint8_t{1});
    }
    return image;
}

bool ListedIn(const std::vector<PixelRun>& runs, int value) {
    return std::any_of(runs.begin(), runs.end(), [value](const PixelRun& run) {
        return run.first <= value && value <= run.last;
    });
}

// Draws the form from an opaque image onto a blank viewport and checks that exactly the
// pixels the coverage calls reached were written.
void ExpectCoverageMatchesTheBlitter(const PieceForm& form, int width, int height) {
    CPaletteDib viewport;
    ASSERT_TRUE(
        viewport.Create(kViewportWidth, kViewportHeight, 8, BuildColourTable(Palette16()), 256));
    std::fill_n(viewport.GetBits(), kViewportWidth * kViewportHeight, std::uint8_t{0});
    const CIndexedImage image = SolidImage(width, height);
    BlitPieceReference(viewport, image, form.left, form.top, form.right, form.bottom, form.sourceX,
                       form.sourceY, form.mirrored);
    const PieceCoverage coverage = ComputePieceCoverage(form, width, height);

    for (int y = 0; y < kViewportHeight; ++y) {
        for (int x = 0; x < kViewportWidth; ++x) {
            const bool inside = coverage.HasPixels() && coverage.left <= x && x <= coverage.right &&
                                coverage.top <= y && y <= coverage.bottom;
            const bool reached =
                inside && !ListedIn(coverage.emptyColumns, x) && !ListedIn(coverage.emptyRows, y);
            const bool drawn =
                viewport.GetBits()[(kViewportHeight - 1 - y) * kViewportWidth + x] == 1;
            ASSERT_EQ(drawn, reached)
                << "pixel " << x << "," << y << " image " << width << "x" << height << " rect "
                << form.left << "," << form.top << "-" << form.right << "," << form.bottom
                << " source " << form.sourceX << "," << form.sourceY
                << (form.mirrored ? " mirrored" : "");
        }
    }
    if (coverage.HasPixels()) {
        EXPECT_EQ(coverage.DrawsNothing(),
                  !std::any_of(viewport.GetBits(), viewport.GetBits() + 30464,
                               [](std::uint8_t v) { return v == 1; }));
    }
    if (coverage.neededWidth > 0 && coverage.neededHeight > 0) {
        const PieceCoverage full =
            ComputePieceCoverage(form, coverage.neededWidth, coverage.neededHeight);
        EXPECT_TRUE(full.CoversAll());
        EXPECT_FALSE(ComputePieceCoverage(form, coverage.neededWidth - 1, coverage.neededHeight)
                         .CoversAll());
        EXPECT_FALSE(ComputePieceCoverage(form, coverage.neededWidth, coverage.neededHeight - 1)
                         .CoversAll());
    }
}

TEST(PieceCoverage, NamesTheColumnsAndRowsANarrowPictureLeaves) {
    // "D3LL" drawn from an 8 x 49 picture fills only its left half ...
    const PieceCoverage d3ll = ComputePieceCoverage(OwnForm(0), 8, 49);
    EXPECT_EQ(d3ll.emptyColumns, (std::vector<PixelRun>{{8, 15}}));
    EXPECT_TRUE(d3ll.emptyRows.empty());
    EXPECT_EQ(d3ll.neededWidth, 16);
    EXPECT_EQ(d3ll.neededHeight, 49);
    // ... and mirrored as "D3RR" it asks only for columns 15..8, none of which exist.
    EXPECT_TRUE(ComputePieceCoverage(OwnForm(1), 8, 49).DrawsNothing());
    // "D1L" reads from column 192: a 200-wide picture reaches 8 columns, 100 rows reach 100.
    const PieceCoverage d1l = ComputePieceCoverage(OwnForm(8), 200, 100);
    EXPECT_EQ(d1l.emptyColumns, (std::vector<PixelRun>{{8, 63}}));
    EXPECT_EQ(d1l.emptyRows, (std::vector<PixelRun>{{109, 119}}));
    EXPECT_EQ(d1l.neededWidth, 256);
    // The mirrored alternate of "D3R" reaches one column further than "D3L" itself.
    EXPECT_EQ(ComputePieceCoverage(OwnForm(2), 116, 51).neededWidth, 116);
    EXPECT_EQ(ComputePieceCoverage(AlternateForm(3), 116, 51).emptyColumns,
              (std::vector<PixelRun>{{139, 139}}));
}

TEST(PieceCoverage, EmptyImagesAndRectanglesOutsideTheViewport) {
    EXPECT_TRUE(ComputePieceCoverage(OwnForm(13), 0, 0).DrawsNothing());
    const PieceForm outside{230, 10, 240, 20, 0, 0, 0, false};
    EXPECT_FALSE(ComputePieceCoverage(outside, 50, 50).HasPixels());
    const PieceForm inverted{20, 10, 10, 20, 0, 0, 0, false};
    EXPECT_FALSE(ComputePieceCoverage(inverted, 50, 50).HasPixels());
}

TEST(PieceCoverage, AgreesWithTheBlitterForEveryTableForm) {
    for (int row = 0; row < kViewCellCount; ++row) {
        for (const PieceForm& form : {OwnForm(row), AlternateForm(row)}) {
            for (const auto& [w, h] : {std::pair{1, 1},
                                       {8, 49},
                                       {16, 49},
                                       {117, 51},
                                       {200, 100},
                                       {256, 111},
                                       {320, 1000}}) {
                ExpectCoverageMatchesTheBlitter(form, w, h);
            }
        }
    }
}

TEST(PieceCoverage, AgreesWithTheBlitterOnRandomForms) {
    std::mt19937 random(20240611);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 300; ++round) {
        const int left = pick(-30, 240);
        const int top = pick(-30, 150);
        const PieceForm form{
            left,          top, left + pick(-3, 120), top + pick(-3, 150), pick(-20, 300),
            pick(-20, 60), 0,   pick(0, 1) == 1};
        ExpectCoverageMatchesTheBlitter(form, pick(0, 320), pick(0, 200));
    }
}

}  // namespace
}  // namespace orvandel
