#include "cli/check_report.h"

#include <sstream>
#include <vector>

#include "core/view/piece_coverage.h"
#include "core/view/view_cell_table.h"
#include "core/wallset/wall_set_slots.h"
#include "core/wallset/wallset_keys.h"

namespace orvandel::cli {

namespace {

const FailedPicture* FailureOfSlot(const LoadReport& load, int slot) {
    for (const FailedPicture& failed : load.failedPictures) {
        if (failed.slot == slot) {
            return &failed;
        }
    }
    return nullptr;
}

// "column 139 stays empty", "columns 8-15, 20 stay empty".
std::string RunsText(const std::string& noun, const std::vector<PixelRun>& runs) {
    const bool single = runs.size() == 1 && runs.front().first == runs.front().last;
    std::string text;
    for (const PixelRun& run : runs) {
        if (!text.empty()) {
            text += ", ";
        }
        text += std::to_string(run.first);
        if (run.last != run.first) {
            text += "-" + std::to_string(run.last);
        }
    }
    return noun + (single ? " " : "s ") + text + (single ? " stays empty" : " stay empty");
}

void WritePictureLine(std::ostream& out, const WallSet& wallSet, const LoadReport& load, int slot,
                      CheckReport& report) {
    const CIndexedImage& image = wallSet.images[static_cast<std::size_t>(slot)];
    out << "  " << kWallSetKeys[static_cast<std::size_t>(slot)].key << " (slot " << slot << ") \""
        << load.names[static_cast<std::size_t>(slot)] << "\": ";
    // Without a palette the picture was decoded but not matched, and its slot stays empty.
    const PictureLoadInfo& info = load.paletteLoaded
                                      ? image.loadInfo()
                                      : load.decodedWithoutPalette[static_cast<std::size_t>(slot)];
    if (const FailedPicture* failed = FailureOfSlot(load, slot)) {
        ++report.failedFiles;
        out << "FAILED: " << (failed->reason.empty() ? "cannot be read" : failed->reason);
        if (info.sourceWidth > 0 && info.sourceHeight > 0) {
            out << " (" << info.sourceWidth << " x " << info.sourceHeight;
            if (info.bitsPerPixel > 0) {
                out << ", " << info.bitsPerPixel << " bits per pixel";
            }
            out << ")";
        }
        out << "\n";
        return;
    }
    if (!load.paletteLoaded) {
        out << "decoded, " << info.sourceWidth << " x " << info.sourceHeight << ", "
            << info.bitsPerPixel << " bits per pixel; not matched, the palette failed\n";
        return;
    }
    out << "loaded, " << image.width() << " x " << image.height() << ", " << info.bitsPerPixel
        << " bits per pixel; " << info.approximatedPixels << " approximated, "
        << info.transparentPixels << " transparent (index 10) pixels\n";
    if (info.approximatedPixels > 0) {
        ++report.approximatedPictures;
    }
}

void WritePieceLine(std::ostream& out, const WallSet& wallSet, int row, bool alternate,
                    CheckReport& report) {
    const ViewCell& cell = ViewCells()[static_cast<std::size_t>(row)];
    const PieceForm form = alternate ? AlternateForm(row) : OwnForm(row);
    const CIndexedImage& image = wallSet.images[static_cast<std::size_t>(form.slot)];
    out << "  " << cell.name << (alternate ? " alternate" : " own") << ": slot " << form.slot
        << ", (" << form.left << "," << form.top << ")-(" << form.right << "," << form.bottom << ")"
        << (form.mirrored ? " mirrored" : "") << ", from (" << form.sourceX << "," << form.sourceY
        << "): ";
    if (form.slot == kEmptySlot) {
        out << "draws nothing (slot 6 is never loaded)\n";
        return;
    }
    if (image.IsEmpty()) {
        out << "draws nothing, its picture did not load\n";
        return;
    }
    const PieceCoverage coverage = ComputePieceCoverage(form, image.width(), image.height());
    if (coverage.CoversAll()) {
        out << "covered\n";
        return;
    }
    ++report.uncoveredPieces;
    out << (coverage.DrawsNothing() ? "draws nothing" : "NOT COVERED");
    if (!coverage.emptyColumns.empty()) {
        out << "; " << RunsText("column", coverage.emptyColumns);
    }
    if (!coverage.emptyRows.empty()) {
        out << "; " << RunsText("row", coverage.emptyRows);
    }
    out << "; the picture is " << image.width() << " x " << image.height();
    if (coverage.neededWidth > 0 && coverage.neededHeight > 0) {
        out << ", covering needs at least " << coverage.neededWidth << " x "
            << coverage.neededHeight;
    }
    out << "\n";
}

}  // namespace

CheckReport BuildCheckReport(const WallSet& wallSet, const LoadReport& load,
                             const std::optional<std::filesystem::path>& wallSetFile,
                             const std::filesystem::path& homeFolder) {
    CheckReport report;
    std::ostringstream out;
    out << "Wall set: "
        << (wallSetFile ? wallSetFile->string() : std::string("none (default picture names)"))
        << "\n";
    out << "Home folder: " << homeFolder.string() << "\n";
    out << "Palette " << kPaletteFileName << ": ";
    if (load.paletteLoaded) {
        out << "loaded\n";
    } else {
        ++report.failedFiles;
        out << "FAILED: " << (load.paletteReason.empty() ? "cannot be read" : load.paletteReason)
            << "; the colours stay black\n";
    }

    out << "\nPictures:\n";
    for (int slot = 0; slot < static_cast<int>(kWallSetKeys.size()); ++slot) {
        WritePictureLine(out, wallSet, load, slot, report);
    }

    out << "\nPieces (viewport rectangles, inclusive):\n";
    for (int row = 0; row < kViewCellCount; ++row) {
        WritePieceLine(out, wallSet, row, false, report);
        WritePieceLine(out, wallSet, row, true, report);
    }

    out << "\nSummary: " << report.failedFiles << " file(s) failed to load, "
        << report.uncoveredPieces << " piece form(s) not fully covered, "
        << report.approximatedPictures << " picture(s) with approximated colours\n";
    report.text = out.str();
    return report;
}

}  // namespace orvandel::cli
