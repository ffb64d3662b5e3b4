#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/map/map_state.h"

namespace orvandel {

struct MapTextResult {
    std::optional<MapState> map;  // cells from the text, viewer at its initial place
    std::string error;            // "line 3, column 7: ..." when refused
};

// A map as text: 16 lines of 16 characters, '#' wall and '.' open floor; LF or CRLF line ends,
// the last line end optional.
MapTextResult ParseMapText(std::string_view text);

}  // namespace orvandel
