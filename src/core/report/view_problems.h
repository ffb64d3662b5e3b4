#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/image/palette16.h"
#include "core/map/map_state.h"
#include "core/wallset/wall_set.h"

namespace orvandel {

// What the problem overlay marks on a viewport pixel.
enum class ProblemMark : std::uint8_t {
    None,
    Approximated,  // drawn in a palette colour other than the file's
    SeeThrough,    // the file's colour became index 10, so what lies behind shows instead
    Missing,       // in a piece's place, but its picture has no pixel for it
};

// The marks' colours, the same on the preview and on the overlay sheet: one that no wall
// palette is likely to hold for approximated pixels, another for see-through ones, and red
// hatching for what a picture lacks, so that it is never taken for black paint.
inline constexpr Colour kApproximatedMarkColour = MakeColour(255, 216, 0);
inline constexpr Colour kSeeThroughMarkColour = MakeColour(0, 230, 255);
inline constexpr Colour kMissingMarkColour = MakeColour(255, 32, 32);
// Whether an output pixel lies on the hatching: diagonal lines two pixels wide, six apart.
constexpr bool IsHatchPixel(int x, int y) {
    return ((x + y) % 6 + 6) % 6 < 2;
}

// The colour a mark paints on output pixel (x, y) of a picture that shows it, the same
// everywhere marks are shown; nothing where the mark leaves the pixel as it is (no mark, or
// between the hatching's lines).
std::optional<Colour> MarkColour(ProblemMark mark, int x, int y);

// One mark per viewport pixel (224 x 136, top row first) for the view the renderer composes
// with the same map and switch: later pieces cover the marks of earlier ones where they draw.
// With `onlySlot` 0..5, only the pieces drawn from that picture are marked; the others still
// cover what lies behind them.
std::vector<ProblemMark> MarkViewProblems(const WallSet& wallSet, const MapState& map, bool evenOdd,
                                          int onlySlot = -1);

// Whether the pixel's file colour differs from the palette colour of the index it became.
bool IsApproximatedPixel(const CIndexedImage& image, int x, int y);

}  // namespace orvandel
