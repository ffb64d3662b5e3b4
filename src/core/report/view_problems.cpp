#include "core/report/view_problems.h"

#include <algorithm>
#include <optional>

#include "core/view/piece_source.h"
#include "core/view/view_renderer.h"
#include "core/view/viewport_size.h"

namespace orvandel {

bool IsApproximatedPixel(const CIndexedImage& image, int x, int y) {
    const std::optional<Colour> file = image.FileColourAt(x, y);
    return file && *file != image.palette()[image.GetIndex(x, y) & 0x0F];
}

std::optional<Colour> MarkColour(ProblemMark mark, int x, int y) {
    switch (mark) {
        case ProblemMark::None:
            break;
        case ProblemMark::Approximated:
            return kApproximatedMarkColour;
        case ProblemMark::SeeThrough:
            return kSeeThroughMarkColour;
        case ProblemMark::Missing:
            if (IsHatchPixel(x, y)) {
                return kMissingMarkColour;
            }
            break;
    }
    return std::nullopt;
}

std::vector<ProblemMark> MarkViewProblems(const WallSet& wallSet, const MapState& map, bool evenOdd,
                                          int onlySlot) {
    std::vector<ProblemMark> marks(static_cast<std::size_t>(kViewportWidth) * kViewportHeight,
                                   ProblemMark::None);
    for (const PlannedPiece& piece : PlanView(map, evenOdd)) {
        const PieceForm form = piece.alternate ? AlternateForm(piece.row) : OwnForm(piece.row);
        if (form.slot == kEmptySlot) {
            continue;  // never drawn by design: nothing is missing there
        }
        const bool marked = onlySlot < 0 || form.slot == onlySlot;
        const CIndexedImage& image = wallSet.images.at(static_cast<std::size_t>(form.slot));
        const int width = image.IsEmpty() ? 0 : image.width();
        const int height = image.IsEmpty() ? 0 : image.height();
        for (int y = std::max(form.top, 0); y <= std::min(form.bottom, kViewportHeight - 1); ++y) {
            for (int x = std::max(form.left, 0); x <= std::min(form.right, kViewportWidth - 1);
                 ++x) {
                const PieceSource from = SourceOfViewPixel(form, width, height, x, y);
                ProblemMark& mark = marks[static_cast<std::size_t>(y) * kViewportWidth +
                                          static_cast<std::size_t>(x)];
                if (from.reach == PieceReach::Missing) {
                    if (marked) {
                        mark = ProblemMark::Missing;
                    }
                    continue;
                }
                const bool approximated = IsApproximatedPixel(image, from.source.x, from.source.y);
                if ((image.GetIndex(from.source.x, from.source.y) & 0x0F) == kTransparentIndex) {
                    // A meant see-through pixel keeps what lies behind, marks included.
                    if (approximated && marked) {
                        mark = ProblemMark::SeeThrough;
                    }
                    continue;
                }
                mark = approximated && marked ? ProblemMark::Approximated : ProblemMark::None;
            }
        }
    }
    return marks;
}

}  // namespace orvandel
