#include "core/report/pixel_inspector.h"

#include "core/common/message_texts.h"
#include "core/report/check_text.h"
#include "core/view/piece_source.h"
#include "core/view/view_renderer.h"
#include "core/view/viewport_size.h"

namespace orvandel {
namespace {

std::string SourceText(const PiecePixel& pixel) {
    return messages::SourcePixelText(pixel.source.x, pixel.source.y, pixel.fileColour, pixel.index,
                                     pixel.index == kTransparentIndex);
}

std::string PiecePixelText(const PiecePixel& pixel, const WallSetReport& report) {
    PieceReport piece;
    piece.row = pixel.row;
    piece.alternate = pixel.alternate;
    piece.form = pixel.form;
    const PictureReport& picture = report.pictures.at(static_cast<std::size_t>(pixel.form.slot));
    std::string text = PieceName(piece) + std::string(messages::kSummarySeparator) +
                       messages::PictureKeyAndName(picture.key, picture.name) +
                       std::string(messages::kSummarySeparator);
    if (picture.loaded) {
        return text + (pixel.missing ? messages::NoPixelHere(picture.width, picture.height)
                                     : SourceText(pixel));
    }
    // A picture that failed is named with its cause, never with a size it does not have. A
    // failed palette is the cause of every picture's trouble.
    const std::string cause = report.paletteLoaded
                                  ? messages::DidNotLoad(picture.reason)
                                  : messages::PaletteDidNotLoad(report.paletteReason);
    if (pixel.missing) {
        return text + cause;
    }
    // Only a reload that keeps the last good version leaves pixels in the slot of a failed file.
    return text + SourceText(pixel) + std::string(messages::kSummarySeparator) + cause + "; " +
           std::string(report.paletteLoaded ? messages::kShowsLastGoodVersion
                                            : messages::kShowsLastGoodColours);
}

}  // namespace

PixelInspection InspectViewPixel(const WallSet& wallSet, const MapState& map, bool evenOdd, int x,
                                 int y) {
    PixelInspection inspection;
    if (x < 0 || y < 0 || x >= kViewportWidth || y >= kViewportHeight) {
        return inspection;
    }
    inspection.inViewport = true;
    const std::vector<PlannedPiece> plan = PlanView(map, evenOdd);
    // The last piece drawn is the one in front.
    for (auto it = plan.rbegin(); it != plan.rend(); ++it) {
        const PieceForm form = it->alternate ? AlternateForm(it->row) : OwnForm(it->row);
        if (form.slot == kEmptySlot) {
            continue;
        }
        const CIndexedImage& image = wallSet.images.at(static_cast<std::size_t>(form.slot));
        const int width = image.IsEmpty() ? 0 : image.width();
        const int height = image.IsEmpty() ? 0 : image.height();
        const PieceSource from = SourceOfViewPixel(form, width, height, x, y);
        if (from.reach == PieceReach::Outside) {
            continue;
        }
        PiecePixel pixel{it->row, it->alternate, form, from.reach == PieceReach::Missing, {}, {},
                         0};
        if (!pixel.missing) {
            pixel.source = from.source;
            pixel.fileColour = image.FileColourAt(from.source.x, from.source.y);
            pixel.index =
                static_cast<std::uint8_t>(image.GetIndex(from.source.x, from.source.y) & 0x0F);
        }
        if (pixel.missing || pixel.index == kTransparentIndex) {
            if (!inspection.hole) {
                inspection.hole = pixel;
            }
            continue;
        }
        inspection.drawnBy = pixel;
        break;
    }
    return inspection;
}

std::string InspectionText(const PixelInspection& inspection, const WallSetReport& report) {
    if (!inspection.inViewport) {
        return {};
    }
    std::string text = inspection.drawnBy ? PiecePixelText(*inspection.drawnBy, report)
                                          : std::string(messages::kFloorOrBackground);
    if (inspection.hole) {
        text += messages::ThroughHole(PiecePixelText(*inspection.hole, report),
                                      inspection.drawnBy.has_value());
    }
    return text;
}

}  // namespace orvandel
