#include "support/test_wall_set.h"

#include <vector>

#include "core/wallset/wallset_keys.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel::testing {

std::filesystem::path TestPicturePath(const std::filesystem::path& folder, int slot) {
    return folder / kWallSetKeys[static_cast<std::size_t>(slot)].defaultName;
}

void WriteTestWallSet(const std::filesystem::path& folder) {
    const Palette16 palette = TestPalette();
    const std::vector<Colour> colours(palette.colours().begin(), palette.colours().end());
    WriteFileBytes(folder / kPaletteFileName, MakeRiffPalette(colours));

    // Wide enough for the largest source offset of any piece, and as tall as the viewport.
    constexpr int kWidth = 256;
    constexpr int kHeight = 136;
    for (int slot = 0; slot < 6; ++slot) {
        std::vector<Colour> pixels;
        pixels.reserve(kWidth * kHeight);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                // Stripes and blocks that differ per slot, so a piece drawn from the wrong slot,
                // at the wrong offset or unmirrored shows up.
                const int index = (x / (3 + slot) + y / 7 + 5 * slot + (x > y ? 3 : 0)) % 16;
                pixels.push_back(palette[index]);
            }
        }
        const int bits = slot < 3 ? 8 : 24;
        WriteFileBytes(
            TestPicturePath(folder, slot),
            MakeBmp(kWidth, kHeight, bits, pixels, bits == 8 ? colours : std::vector<Colour>{}));
    }
}

}  // namespace orvandel::testing
