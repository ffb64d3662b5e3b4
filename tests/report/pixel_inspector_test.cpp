#include "core/report/pixel_inspector.h"

#include <gtest/gtest.h>

#include <random>

#include "core/report/view_problems.h"
#include "core/view/view_renderer.h"
#include "core/view/viewport_size.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

// Six pictures of random indices (index 10 among them), each as large as its slot needs, with
// a few file colours off the palette.
WallSet RandomWallSet(std::uint32_t seed) {
    WallSet wallSet;
    wallSet.palette = testing::TestPalette();
    std::mt19937 random(seed);
    for (int slot = 0; slot < 6; ++slot) {
        DecodedPicture picture;
        picture.width = 256;
        picture.height = 136;
        picture.bitsPerPixel = 8;
        picture.colourTable.assign(wallSet.palette.colours().begin(),
                                   wallSet.palette.colours().end());
        picture.colourTable.push_back(wallSet.palette[10] ^ 0x1u);  // becomes see-through
        for (int i = 0; i < picture.width * picture.height; ++i) {
            picture.indices.push_back(static_cast<std::uint8_t>(random() % 17));
        }
        CIndexedImage& image = wallSet.images[static_cast<std::size_t>(slot)];
        image.SetPalette(wallSet.palette);
        EXPECT_TRUE(image.LoadFromPicture(picture));
    }
    return wallSet;
}

// Whatever the inspector names as the drawing piece's source pixel must be what the renderer
// put there, over the whole viewport, facing every way, with and without the even/odd switch.
TEST(PixelInspector, AgreesWithTheRendererOnEveryPixelInEveryForm) {
    const WallSet wallSet = RandomWallSet(7);
    int mirrored = 0;
    int alternate = 0;
    int holes = 0;
    for (const bool evenOdd : {false, true}) {
        for (Direction facing = 0; facing < 4; ++facing) {
            MapState map;
            map.PlaceViewer(8, 8, facing);  // walls all around but ahead
            ViewRenderer renderer;
            ASSERT_TRUE(renderer.RenderView(wallSet, map, evenOdd));
            const std::uint8_t* bits = renderer.viewport().GetBits();
            for (int y = 0; y < kViewportHeight; ++y) {
                for (int x = 0; x < kViewportWidth; ++x) {
                    const PixelInspection seen = InspectViewPixel(wallSet, map, evenOdd, x, y);
                    const std::uint8_t shown = bits[(kViewportHeight - 1 - y) * kViewportWidth + x];
                    std::uint8_t expected = 0;
                    if (seen.drawnBy) {
                        const CIndexedImage& image =
                            wallSet.images[static_cast<std::size_t>(seen.drawnBy->form.slot)];
                        expected = image.GetIndex(seen.drawnBy->source.x, seen.drawnBy->source.y);
                        EXPECT_EQ(seen.drawnBy->index, expected);
                        mirrored += seen.drawnBy->form.mirrored ? 1 : 0;
                        alternate += seen.drawnBy->alternate ? 1 : 0;
                    }
                    holes += seen.hole ? 1 : 0;
                    ASSERT_EQ(shown, expected)
                        << x << "," << y << " facing " << facing << (evenOdd ? " even/odd" : "");
                }
            }
        }
    }
    EXPECT_GT(mirrored, 0);
    EXPECT_GT(alternate, 0);
    EXPECT_GT(holes, 0);
}

TEST(PixelInspector, NamesTheSourcePixelOfMirroredAndAlternatePieces) {
    const WallSet wallSet = RandomWallSet(11);
    WallSetReport report;
    for (int slot = 0; slot < 6; ++slot) {
        report.pictures[static_cast<std::size_t>(slot)].key = "008" + std::to_string(4 + slot);
        report.pictures[static_cast<std::size_t>(slot)].name = "picture " + std::to_string(slot);
    }
    MapState map;
    map.PlaceViewer(8, 8, 0);
    struct Case {
        bool evenOdd;
        int x, y;
        const char* text;  // a part of the answer
    };
    // Facing north from (8,8) the right side at distance 0 stands on an odd square, so the
    // switch draws its alternate from 0085, mirrored: its leftmost column reads column 31.
    const Case cases[] = {
        {false, 200, 40, "right side, distance 0 [D0R] \xc2\xb7 0084 \"picture 0\""},
        {false, 192, 40, "pixel (0, 40)"},
        {true, 200, 40, "right side, distance 0 (alternate, mirrored) [D0R] \xc2\xb7 0085"},
        {true, 192, 40, "pixel (31, 40)"},
    };
    for (const Case& c : cases) {
        const PixelInspection seen = InspectViewPixel(wallSet, map, c.evenOdd, c.x, c.y);
        std::string text = InspectionText(seen, report);
        // A see-through pixel hands the answer to the piece behind; the hole names the piece.
        EXPECT_NE(text.find(c.text), std::string::npos) << text;
    }
    MapState open;
    open.PlaceViewer(0, 0, 2);  // facing south along the map's open edge
    EXPECT_EQ(InspectionText(InspectViewPixel(wallSet, open, false, 112, 130), report),
              "floor or background");
    EXPECT_FALSE(InspectViewPixel(wallSet, open, false, 224, 0).inViewport);
}

}  // namespace
}  // namespace orvandel
