// The bundled sample wall set must load with the program's own readers and compose views
// without gaps, since it is what a first-time user sees.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "core/map/map_state.h"
#include "core/view/view_renderer.h"
#include "core/view/viewport_size.h"
#include "core/wallset/load_wall_set.h"

namespace orvandel {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

const std::string kSampleFolder = std::string(ORVANDEL_SOURCE_DIR) + "/samples/stone";

class SampleWallSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kSampleFolder));
        report = LoadWallSet(wallSet, WallSetDocument(), kSampleFolder);
    }

    // Background pixels with drawn pixels right beside them on both sides, across or down:
    // places where two pieces should have met.
    int CountGaps(const MapState& map, bool evenOdd) {
        ViewRenderer renderer;
        EXPECT_TRUE(renderer.RenderView(wallSet, map, evenOdd));
        const std::uint8_t* bits = renderer.viewport().GetBits();
        // Bottom-up rows; only neighbourhood matters here, so row order is irrelevant.
        auto at = [bits](int x, int y) { return bits[y * kViewportWidth + x]; };
        int gaps = 0;
        for (int y = 1; y + 1 < kViewportHeight; ++y) {
            for (int x = 1; x + 1 < kViewportWidth; ++x) {
                if (at(x, y) != 0) {
                    continue;
                }
                if ((at(x - 1, y) != 0 && at(x + 1, y) != 0) ||
                    (at(x, y - 1) != 0 && at(x, y + 1) != 0)) {
                    ++gaps;
                }
            }
        }
        return gaps;
    }

    WallSet wallSet;
    LoadReport report;
};

TEST_F(SampleWallSetTest, LoadsEveryPictureInExactPaletteColours) {
    ASSERT_TRUE(report.ok()) << Joined(report.DetailLines());
    constexpr std::array<std::array<int, 2>, 6> kSizes = {
        {{32, 136}, {32, 136}, {256, 111}, {136, 71}, {117, 51}, {16, 49}}};
    for (std::size_t slot = 0; slot < kSizes.size(); ++slot) {
        const CIndexedImage& image = wallSet.images[slot];
        EXPECT_EQ(image.width(), kSizes[slot][0]) << "slot " << slot;
        EXPECT_EQ(image.height(), kSizes[slot][1]) << "slot " << slot;
        EXPECT_EQ(image.loadInfo().approximatedPixels, 0u) << "slot " << slot;
    }
    // Index 10 is the transparent key; it must not double as a stone colour anyone can see.
    const Colour key = wallSet.palette[10];
    for (int i = 0; i < Palette16::kSize; ++i) {
        if (i != 10) {
            EXPECT_NE(wallSet.palette[i], key) << "index " << i;
        }
    }
}

TEST_F(SampleWallSetTest, InitialMapViewsHaveNoGapsBetweenPieces) {
    ASSERT_TRUE(report.ok());
    MapState map;
    for (const Direction d : {0, 1, 2, 3}) {
        for (const bool evenOdd : {false, true}) {
            map.PlaceViewer(7, 7, d);
            EXPECT_EQ(CountGaps(map, evenOdd), 0) << "facing " << d << " even/odd " << evenOdd;
            map.PlaceViewer(7, 5, d);
            EXPECT_EQ(CountGaps(map, evenOdd), 0) << "from (7,5) facing " << d;
        }
    }
}

TEST_F(SampleWallSetTest, WallsAllAroundCoverTheWholeWallArea) {
    ASSERT_TRUE(report.ok());
    MapState map;
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            map.SetCell(x, y, kWallCell);
        }
    }
    map.SetCell(7, 7, kFloorCell);
    map.PlaceViewer(7, 7, 0);
    ViewRenderer renderer;
    ASSERT_TRUE(renderer.RenderView(wallSet, map, false));
    const std::uint8_t* bits = renderer.viewport().GetBits();
    // The wall straight ahead fills its rectangle (rows 9..119, columns 32..191).
    for (int y = 9; y <= 119; ++y) {
        for (int x = 32; x <= 191; ++x) {
            ASSERT_NE(bits[(135 - y) * kViewportWidth + x], 0) << x << "," << y;
        }
    }
    EXPECT_EQ(CountGaps(map, false), 0);
    EXPECT_EQ(CountGaps(map, true), 0);
}

}  // namespace
}  // namespace orvandel
