#pragma once

#include <vector>

#include "core/image/palette_dib.h"
#include "core/map/map_state.h"
#include "core/wallset/wall_set.h"

namespace orvandel {

// One piece of a composed view: the table row and whether its alternate form is drawn.
struct PlannedPiece {
    int row = 0;
    bool alternate = false;
    friend bool operator==(const PlannedPiece&, const PlannedPiece&) = default;
};

// The pieces a view shows, in drawing order: rows whose square is a wall (outside the map counts
// as wall), alternate on odd direction + x + y when even/odd is on.
std::vector<PlannedPiece> PlanView(const MapState& map, bool evenOdd);

// Clears the viewport to index 0 and draws the planned pieces from the wall set's slots.
void ComposeView(CPaletteDib& viewport, const WallSet& wallSet, const MapState& map, bool evenOdd);

// Owns the viewport bitmap. Its colour table follows the wall set's palette, which changes only
// when a palette file was read, so an edited or late palette reaches the screen at the next
// render or paint.
class ViewRenderer {
public:
    bool EnsureViewport(const Palette16& palette);
    // False (and nothing drawn) when the viewport cannot be created.
    bool RenderView(const WallSet& wallSet, const MapState& map, bool evenOdd);

    const CPaletteDib& viewport() const { return m_viewport; }
    CPaletteDib& viewport() { return m_viewport; }

private:
    CPaletteDib m_viewport;
};

}  // namespace orvandel
