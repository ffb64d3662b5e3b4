#include "core/session/wall_set_findings.h"

#include <cstddef>

#include "core/common/message_texts.h"
#include "core/view/piece_coverage.h"
#include "core/view/view_cell_table.h"
#include "core/wallset/wall_set_slots.h"
#include "core/wallset/wallset_keys.h"

namespace orvandel {
namespace {

void FindLoadFailures(const LoadReport& load, WallSetFindings& findings) {
    if (!load.paletteLoaded) {
        findings.failures.push_back(messages::FileProblem(kPaletteFileName, 0, load.paletteReason));
    }
    for (const FailedPicture& failed : load.failedPictures) {
        findings.failures.push_back(messages::PictureProblem(
            kWallSetKeys[static_cast<std::size_t>(failed.slot)].key, failed.name, failed.reason));
    }
}

void FindApproximatedPictures(const WallSet& wallSet, const LoadReport& load,
                              WallSetFindings& findings) {
    if (!load.paletteLoaded) {
        return;  // nothing was matched
    }
    for (std::size_t slot = 0; slot < kWallSetKeys.size(); ++slot) {
        const CIndexedImage& image = wallSet.images[slot];
        if (image.IsEmpty() || image.loadInfo().approximatedPixels == 0) {
            continue;
        }
        ++findings.approximatedPictures;
        findings.strictWarnings.push_back(messages::PictureProblem(
            kWallSetKeys[slot].key, load.names[slot],
            messages::ApproximatedPixels(image.loadInfo().approximatedPixels)));
    }
}

void FindUncoveredPiece(const WallSet& wallSet, int row, bool alternate,
                        WallSetFindings& findings) {
    const PieceForm form = alternate ? AlternateForm(row) : OwnForm(row);
    if (form.slot == kEmptySlot) {
        return;  // drawing nothing there is the table's intent
    }
    const CIndexedImage& image = wallSet.images[static_cast<std::size_t>(form.slot)];
    if (image.IsEmpty()) {
        return;  // already a failure of its picture
    }
    const PieceCoverage coverage = ComputePieceCoverage(form, image.width(), image.height());
    if (coverage.CoversAll()) {
        return;
    }
    ++findings.uncoveredPieces;
    findings.strictWarnings.push_back(messages::PieceNotCovered(
        ViewCells()[static_cast<std::size_t>(row)].name, alternate, form.slot, image.width(),
        image.height(), coverage.neededWidth, coverage.neededHeight));
}

}  // namespace

WallSetFindings FindWallSetProblems(const WallSet& wallSet, const LoadReport& load,
                                    const std::filesystem::path& wallSetFile,
                                    const std::vector<LintWarning>& lint) {
    WallSetFindings findings;
    FindLoadFailures(load, findings);
    for (const LintWarning& warning : lint) {
        findings.strictWarnings.push_back(
            messages::FileProblem(wallSetFile.string(), warning.line, warning.text));
    }
    FindApproximatedPictures(wallSet, load, findings);
    for (int row = 0; row < kViewCellCount; ++row) {
        FindUncoveredPiece(wallSet, row, false, findings);
        FindUncoveredPiece(wallSet, row, true, findings);
    }
    return findings;
}

}  // namespace orvandel
