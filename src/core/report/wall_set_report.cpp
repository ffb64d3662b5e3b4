#include "core/report/wall_set_report.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "core/common/message_texts.h"
#include "core/wallset/wallset_keys.h"

namespace orvandel {
namespace {

const FailedPicture* FailureOfSlot(const LoadReport& load, int slot) {
    for (const FailedPicture& failed : load.failedPictures) {
        if (failed.slot == slot) {
            return &failed;
        }
    }
    return nullptr;
}

template <typename Count>
int CountIf(const auto& items, Count count) {
    return static_cast<int>(std::count_if(items.begin(), items.end(), count));
}

}  // namespace

NeededSize NeededSizeOfSlot(int slot) {
    NeededSize needed;
    for (int row = 0; row < kViewCellCount; ++row) {
        for (const PieceForm& form : {OwnForm(row), AlternateForm(row)}) {
            if (form.slot != slot) {
                continue;
            }
            // Any size at all gives the need: it depends on the rectangle and the source only.
            const PieceCoverage coverage = ComputePieceCoverage(form, 1, 1);
            needed.width = std::max(needed.width, coverage.neededWidth);
            needed.height = std::max(needed.height, coverage.neededHeight);
        }
    }
    return needed;
}

int WallSetReport::FailedFiles() const {
    return (paletteLoaded ? 0 : 1) + CountIf(pictures, [](const PictureReport& p) {
               return !p.loaded && !p.decodedWithoutPalette;
           });
}

int WallSetReport::UncoveredPieces() const {
    return CountIf(pieces,
                   [](const PieceReport& p) { return p.pictureLoaded && !p.coverage.CoversAll(); });
}

int WallSetReport::ApproximatedPictures() const {
    return CountIf(pictures, [](const PictureReport& p) { return p.approximatedPixels > 0; });
}

int WallSetReport::SeeThroughPictures() const {
    return CountIf(pictures, [](const PictureReport& p) { return p.seeThroughPixels > 0; });
}

bool WallSetReport::StrictOk() const {
    return FailedFiles() == 0 && UncoveredPieces() == 0 && ApproximatedPictures() == 0 &&
           wallSetFileWarnings.empty();
}

WallSetReport BuildWallSetReport(const WallSet& wallSet, const LoadReport& load,
                                 std::vector<LintWarning> wallSetFileWarnings) {
    WallSetReport report;
    report.wallSetFileWarnings = std::move(wallSetFileWarnings);
    report.paletteLoaded = load.paletteLoaded;
    report.paletteReason = load.paletteReason;
    report.palettePath = load.paletteFile.path;
    report.palette = wallSet.palette;
    for (std::size_t slot = 0; slot < report.pictures.size(); ++slot) {
        PictureReport& picture = report.pictures[slot];
        const int slotNumber = static_cast<int>(slot);
        picture.slot = slotNumber;
        picture.key = kWallSetKeys[slot].key;
        picture.name = load.names[slot];
        if (load.pictureFiles[slot].found) {
            picture.path = load.pictureFiles[slot].path;
        }
        const NeededSize needed = NeededSizeOfSlot(slotNumber);
        picture.neededWidth = needed.width;
        picture.neededHeight = needed.height;
        const CIndexedImage& image = wallSet.images[slot];
        const FailedPicture* failed = FailureOfSlot(load, slotNumber);
        picture.loaded = load.paletteLoaded && failed == nullptr && !image.IsEmpty();
        if (!picture.loaded) {
            picture.missing = failed != nullptr && failed->missing;
            picture.decodedWithoutPalette = !load.paletteLoaded && failed == nullptr;
            picture.reason = failed != nullptr     ? failed->reason
                             : !load.paletteLoaded ? std::string(messages::kNotMatchedPaletteFailed)
                                                   : std::string();
            if (picture.decodedWithoutPalette) {
                const PictureLoadInfo& decoded = load.decodedWithoutPalette[slot];
                picture.width = decoded.sourceWidth;
                picture.height = decoded.sourceHeight;
                picture.bitsPerPixel = decoded.bitsPerPixel;
            }
            continue;
        }
        const PictureLoadInfo& info = image.loadInfo();
        picture.width = image.width();
        picture.height = image.height();
        picture.bitsPerPixel = info.bitsPerPixel;
        picture.approximatedPixels = info.approximatedPixels;
        picture.seeThroughPixels = info.seeThroughPixels;
    }
    for (int row = 0; row < kViewCellCount; ++row) {
        for (const bool alternate : {false, true}) {
            PieceReport& piece =
                report.pieces[static_cast<std::size_t>(2 * row + (alternate ? 1 : 0))];
            piece.row = row;
            piece.alternate = alternate;
            piece.form = alternate ? AlternateForm(row) : OwnForm(row);
            piece.emptySlot = piece.form.slot == kEmptySlot;
            if (piece.emptySlot) {
                continue;
            }
            const PictureReport& picture =
                report.pictures[static_cast<std::size_t>(piece.form.slot)];
            piece.pictureLoaded = picture.loaded;
            if (picture.loaded) {
                piece.coverage = ComputePieceCoverage(piece.form, picture.width, picture.height);
            }
        }
    }
    return report;
}

void ListApproximatedColours(WallSetReport& report, const WallSet& wallSet) {
    for (PictureReport& picture : report.pictures) {
        picture.approximatedColours.clear();
        if (picture.loaded) {
            picture.approximatedColours =
                wallSet.images[static_cast<std::size_t>(picture.slot)].ApproximatedColours();
        }
        picture.coloursListed = true;
    }
}

}  // namespace orvandel
