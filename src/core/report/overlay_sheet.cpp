#include "core/report/overlay_sheet.h"

#include <algorithm>
#include <string>

#include "core/common/display_text.h"
#include "core/common/message_texts.h"
#include "core/report/view_problems.h"

namespace orvandel {
namespace {

constexpr int kMargin = 10;
constexpr int kLineHeight = RgbCanvas::kGlyphHeight + 3;
constexpr int kNameLines = 3;
constexpr int kLabelHeight = (1 + kNameLines) * kLineHeight + 4;
constexpr int kMinColumnWidth = 20 * RgbCanvas::kGlyphAdvance;
constexpr int kLegendHeight = 3 * (kLineHeight + 4) + kMargin;
constexpr Colour kBackground = MakeColour(96, 96, 96);
constexpr Colour kMissingBackground = MakeColour(40, 40, 40);
constexpr Colour kText = MakeColour(255, 255, 255);

int ColumnWidth(const SheetPlacement& placement) {
    return std::max(kMinColumnWidth, placement.width * placement.scale);
}

// The name broken into lines that fit the column, the last one cut short with "...".
void DrawName(RgbCanvas& canvas, int x, int y, int width, const std::string& name) {
    const auto perLine = static_cast<std::size_t>(std::max(1, width / RgbCanvas::kGlyphAdvance));
    const std::vector<std::string_view> characters = TextCharacters(name);
    for (int line = 0; line < kNameLines; ++line) {
        const std::size_t start = static_cast<std::size_t>(line) * perLine;
        if (start >= characters.size()) {
            return;
        }
        std::size_t count = std::min(perLine, characters.size() - start);
        const bool cut = line == kNameLines - 1 && start + perLine < characters.size() && count > 3;
        count -= cut ? 3 : 0;
        std::string part;
        for (std::size_t k = start; k < start + count; ++k) {
            part += characters[k];
        }
        canvas.DrawText(x, y + line * kLineHeight, cut ? part + "..." : part, kText);
    }
}

void DrawPicture(RgbCanvas& canvas, const CIndexedImage& image, const PictureReport& picture,
                 const SheetPlacement& at) {
    for (int y = 0; y < at.height; ++y) {
        for (int x = 0; x < at.width; ++x) {
            const bool inPicture = picture.loaded && x < picture.width && y < picture.height;
            const bool needed = x < picture.neededWidth && y < picture.neededHeight;
            for (int dy = 0; dy < at.scale; ++dy) {
                for (int dx = 0; dx < at.scale; ++dx) {
                    const int sx = at.left + x * at.scale + dx;
                    const int sy = at.top + y * at.scale + dy;
                    Colour colour = kBackground;
                    if (inPicture) {
                        const std::uint8_t index = image.GetIndex(x, y) & 0x0F;
                        colour = image.palette()[index];
                        if (IsApproximatedPixel(image, x, y)) {
                            colour =
                                *MarkColour(index == kTransparentIndex ? ProblemMark::SeeThrough
                                                                       : ProblemMark::Approximated,
                                            sx, sy);
                        }
                    } else if (needed) {
                        colour =
                            MarkColour(ProblemMark::Missing, sx, sy).value_or(kMissingBackground);
                    }
                    canvas.Set(sx, sy, colour);
                }
            }
        }
    }
}

void DrawLegendLine(RgbCanvas& canvas, int y, bool hatched, Colour colour, std::string_view text) {
    constexpr int kSwatch = RgbCanvas::kGlyphHeight + 2;
    for (int sy = y; sy < y + kSwatch; ++sy) {
        for (int sx = kMargin; sx < kMargin + 2 * kSwatch; ++sx) {
            canvas.Set(sx, sy, !hatched || IsHatchPixel(sx, sy) ? colour : kMissingBackground);
        }
    }
    canvas.DrawText(kMargin + 2 * kSwatch + 6, y + 1, text, kText);
}

}  // namespace

std::array<SheetPlacement, 6> OverlaySheetPlacements(const WallSetReport& report, int scale) {
    std::array<SheetPlacement, 6> placements;
    int left = kMargin;
    for (std::size_t slot = 0; slot < placements.size(); ++slot) {
        const PictureReport& picture = report.pictures[slot];
        SheetPlacement& at = placements[slot];
        at.scale = scale;
        at.left = left;
        at.top = kMargin + kLabelHeight;
        at.width = std::max(picture.loaded ? picture.width : 0, picture.neededWidth);
        at.height = std::max(picture.loaded ? picture.height : 0, picture.neededHeight);
        left += ColumnWidth(at) + kMargin;
    }
    return placements;
}

RgbCanvas ComposeOverlaySheet(const WallSet& wallSet, const WallSetReport& report, int scale) {
    const std::array<SheetPlacement, 6> placements = OverlaySheetPlacements(report, scale);
    int width = kMargin;
    int height = 0;
    for (const SheetPlacement& at : placements) {
        width += ColumnWidth(at) + kMargin;
        height = std::max(height, at.top + at.height * at.scale);
    }
    const int legendTop = height + kMargin;
    RgbCanvas canvas(width, legendTop + kLegendHeight, kBackground);
    for (std::size_t slot = 0; slot < placements.size(); ++slot) {
        const PictureReport& picture = report.pictures[slot];
        const SheetPlacement& at = placements[slot];
        std::string key = picture.key;
        if (!picture.loaded) {
            key += " (" + std::string(messages::kSheetNotLoaded) + ")";
        }
        canvas.DrawText(at.left, kMargin, key, kText);
        DrawName(canvas, at.left, kMargin + kLineHeight, ColumnWidth(at), picture.name);
        DrawPicture(canvas, wallSet.images[slot], picture, at);
    }
    DrawLegendLine(canvas, legendTop, false, kApproximatedMarkColour,
                   messages::kSheetApproximatedLegend);
    DrawLegendLine(canvas, legendTop + kLineHeight + 4, false, kSeeThroughMarkColour,
                   messages::kSheetSeeThroughLegend);
    DrawLegendLine(canvas, legendTop + 2 * (kLineHeight + 4), true, kMissingMarkColour,
                   messages::kSheetMissingLegend);
    return canvas;
}

}  // namespace orvandel
