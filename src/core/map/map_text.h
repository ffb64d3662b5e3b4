#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/status.h"
#include "core/map/map_state.h"

namespace orvandel {

struct MapTextResult {
    std::optional<MapState> map;  // cells from the text, viewer at its initial place
    std::string error;            // "line 3, column 7: ..." when refused
};

// A map as text: 16 lines of 16 characters, '#' wall and '.' open floor; LF or CRLF line ends,
// the last line end optional.
MapTextResult ParseMapText(std::string_view text);

// Reads a map file. A valid map is 16 lines of 16 characters, under 300 bytes even with CRLF
// ends; only the start of a longer file is read, which is enough for the parser to name its
// first fault, so a huge file is never read whole.
MapTextResult ReadMapFile(const std::filesystem::path& file);

// The map's cells as text, LF line ends: what ReadMapFile reads back.
std::string MapText(const MapState& map);

// Writes MapText to a file, atomically: on failure an earlier file stays as it was, and the
// reason says why.
Status WriteMapFile(const std::filesystem::path& file, const MapState& map);

}  // namespace orvandel
