#include "core/view/view_picture_size.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/image/dib_scaling.h"

namespace orvandel {
namespace {

struct FitCase {
    int box;
    ViewPictureSize expected;
};

TEST(ViewPictureSize, FitsTheLargestWholeScaleOrReducesBelowTheViewportsWidth) {
    // clang-format off
    const FitCase cases[] = {
        {1024, {4,  896, 544}},  // the thumbnail sizes file managers ask for
        { 512, {2,  448, 272}},
        { 448, {2,  448, 272}},  // exactly two viewports wide
        { 447, {1,  224, 136}},
        { 224, {1,  224, 136}},
        { 223, {0,  223, 135}},  // one pixel short: reduced, not shown at 1x
        { 128, {0,  128,  78}},  // 77.7 rounds up
        {   1, {0,    1,   1}},  // never a picture without rows
        {   0, {1,  224, 136}},
    };
    // clang-format on
    for (const FitCase& c : cases) {
        EXPECT_EQ(FitViewportIn(c.box), c.expected) << c.box;
        EXPECT_LE(FitViewportIn(c.box).width, std::max(c.box, kViewportWidth)) << c.box;
    }
}

TEST(ViewPictureSize, HugeScalesAreCappedWhereEnlargingStops) {
    const ViewPictureSize huge = ViewPictureAtScale(1 << 30);
    EXPECT_LE(huge.width, kMaxEnlargedEdge);
    EXPECT_EQ(huge.height * kViewportWidth, huge.width * kViewportHeight);
}

TEST(ViewPictureSize, SavingOffersOneAndTheShownScale) {
    EXPECT_EQ(OfferedSaveScales(LayoutViewport(224 * 3 + 10, 136 * 3)), (std::vector<int>{1, 3}));
    EXPECT_EQ(OfferedSaveScales(LayoutViewport(224, 136)), (std::vector<int>{1}));
    // A preview too small to show the view still saves and copies it at 1x.
    EXPECT_EQ(OfferedSaveScales(LayoutViewport(100, 100)), (std::vector<int>{1}));
    EXPECT_EQ(ViewPictureAsShown(LayoutViewport(100, 100)).scale, 1);
}

}  // namespace
}  // namespace orvandel
