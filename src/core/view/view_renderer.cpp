#include "core/view/view_renderer.h"

#include <cstring>

#include "core/image/colour_table.h"
#include "core/view/blit_piece.h"
#include "core/view/view_cell_table.h"
#include "core/view/viewport_size.h"

namespace orvandel {

namespace {

// The game swaps a wall's picture on squares where facing + x + y is odd. The sum may be
// negative for squares beyond the map's edge; % keeps -1 odd.
bool IsOddSquare(Direction d, const Point& square) {
    return (static_cast<long long>(d) + square.x + square.y) % 2 != 0;
}

bool IsViewportShaped(const CPaletteDib& viewport) {
    BitmapInfo info;
    return viewport.GetBitsPerPixel() == 8 && viewport.GetBitmapInfo(info) &&
           info.width == kViewportWidth && info.height == kViewportHeight &&
           viewport.GetBits() != nullptr;
}

}  // namespace

std::vector<PlannedPiece> PlanView(const MapState& map, bool evenOdd) {
    std::vector<PlannedPiece> plan;
    const Direction d = map.viewerDirection();
    for (int row = 0; row < kViewCellCount; ++row) {
        const Point square = ViewSquare(map.viewerX(), map.viewerY(), d, row);
        if (!map.IsWallAt(square.x, square.y)) {
            continue;
        }
        const bool hasAlternate = kViewCellTable[static_cast<std::size_t>(row)].alternate >= 0;
        plan.push_back(PlannedPiece{row, evenOdd && hasAlternate && IsOddSquare(d, square)});
    }
    return plan;
}

void ComposeView(CPaletteDib& viewport, const WallSet& wallSet, const MapState& map, bool evenOdd) {
    // Clearing a bitmap of another shape by the viewport's byte count would overrun it.
    if (!IsViewportShaped(viewport)) {
        return;
    }
    std::memset(viewport.GetBits(), 0, static_cast<std::size_t>(kViewportWidth) * kViewportHeight);
    for (const PlannedPiece& piece : PlanView(map, evenOdd)) {
        const PieceForm form = piece.alternate ? AlternateForm(piece.row) : OwnForm(piece.row);
        BlitPiece(viewport, wallSet.images.at(static_cast<std::size_t>(form.slot)), form);
    }
}

bool ViewRenderer::EnsureViewport(const Palette16& palette) {
    const ColourTable256 table = BuildColourTable(palette);
    if (m_viewport.HasBitmap()) {
        // A table fixed at creation would keep a palette that was missing at start (all black)
        // or has since been edited on screen for good, while the export writes the new one.
        m_viewport.SetColourTable(table);
        return true;
    }
    return m_viewport.Create(kViewportWidth, kViewportHeight, 8, table,
                             static_cast<int>(table.size()));
}

bool ViewRenderer::RenderView(const WallSet& wallSet, const MapState& map, bool evenOdd) {
    if (!EnsureViewport(wallSet.palette)) {
        return false;
    }
    ComposeView(m_viewport, wallSet, map, evenOdd);
    return true;
}

}  // namespace orvandel
