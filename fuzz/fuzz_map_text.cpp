// Any bytes as a map text: refused with a reason, or a map of walls and floors only, with the
// viewer at its starting place, that reads back the same when written out as text again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/map/map_text.h"
#include "fuzz_check.h"

using namespace orvandel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const MapTextResult result = ParseMapText(text);
    if (!result.map) {
        FUZZ_CHECK(!result.error.empty());
        return 0;
    }
    const MapState& map = *result.map;
    FUZZ_CHECK(map.viewerX() == 7 && map.viewerY() == 7 && map.viewerDirection() == 0);
    std::string written;
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            const std::uint8_t cell = map.Cell(x, y);
            FUZZ_CHECK(cell == kWallCell || cell == kFloorCell);
            written += cell == kFloorCell ? '.' : '#';
        }
        written += '\n';
    }
    const MapTextResult again = ParseMapText(written);
    FUZZ_CHECK(again.map.has_value());
    FUZZ_CHECK(again.map->cells() == map.cells());
    return 0;
}
