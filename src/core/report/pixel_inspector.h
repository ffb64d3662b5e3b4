#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/image/palette16.h"
#include "core/map/map_state.h"
#include "core/report/wall_set_report.h"
#include "core/wallset/wall_set.h"

namespace orvandel {

// One piece's part in a viewport pixel.
struct PiecePixel {
    int row = 0;
    bool alternate = false;
    PieceForm form{};
    bool missing = false;  // the picture has no pixel here
    Point source;          // when not missing
    std::optional<Colour> fileColour;
    std::uint8_t index = 0;
};

// What the pixel inspector says about a viewport pixel: the piece that drew it, if any, and
// the nearest piece in front of it that left the pixel undrawn (see-through or missing).
struct PixelInspection {
    bool inViewport = false;
    std::optional<PiecePixel> drawnBy;
    std::optional<PiecePixel> hole;
};

// Answers "what is under viewport pixel (x, y)" for the view composed with this map and switch.
PixelInspection InspectViewPixel(const WallSet& wallSet, const MapState& map, bool evenOdd, int x,
                                 int y);

// The inspection as one line for the artist, e.g. "front wall, distance 1 [D1] · 0086
// "name" · pixel (60, 20) · file #0000ff -> index 10, see-through".
std::string InspectionText(const PixelInspection& inspection, const WallSetReport& report);

}  // namespace orvandel
