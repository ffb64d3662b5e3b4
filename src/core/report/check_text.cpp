#include "core/report/check_text.h"
#include "core/common/path_text.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "core/common/display_text.h"
#include "core/common/message_texts.h"
#include "core/wallset/wallset_keys.h"

namespace orvandel {
namespace {

// The most colours listed per picture; the JSON has them all.
constexpr std::size_t kListedColours = 8;

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

std::string PictureLabel(const PictureReport& picture) {
    return picture.key + " (slot " + std::to_string(picture.slot) + ") \"" +
           DisplayText(picture.name) + "\"";
}

std::string ColoursText(const PictureReport& picture, bool seeThroughOnly) {
    std::string text;
    std::size_t listed = 0;
    std::size_t left = 0;
    for (const ApproximatedColour& colour : picture.approximatedColours) {
        if (seeThroughOnly && colour.index != kTransparentIndex) {
            continue;
        }
        if (listed == kListedColours) {
            ++left;
            continue;
        }
        text += listed++ == 0 ? "" : ", ";
        text += messages::ColourText(colour.colour) + " -> index " + std::to_string(colour.index);
        if (!seeThroughOnly) {
            text += colour.index == kTransparentIndex ? " (see-through)" : "";
        }
        text +=
            " (" + std::to_string(colour.pixels) + (colour.pixels == 1 ? " pixel)" : " pixels)");
    }
    if (left > 0) {
        text += ", and " + std::to_string(left) + " more";
    }
    return text;
}

void WriteSeeThrough(std::ostream& out, const WallSetReport& report) {
    if (report.SeeThroughPictures() == 0) {
        return;
    }
    out << "\nSee-through! These colours became palette index 10, which the game never draws:"
           " the wall behind shows through them.\n";
    for (const PictureReport& picture : report.pictures) {
        if (picture.seeThroughPixels > 0) {
            out << "  " << PictureLabel(picture) << ": " << picture.seeThroughPixels
                << " pixels: " << ColoursText(picture, true) << "\n";
        }
    }
    out << "  Paint these areas in a palette colour other than index 10, or in index 10's own"
           " colour where the see-through is meant.\n";
}

void WritePicture(std::ostream& out, const PictureReport& picture) {
    out << "  " << PictureLabel(picture) << ": ";
    if (picture.decodedWithoutPalette) {
        out << "decoded, " << picture.width << " x " << picture.height << ", "
            << picture.bitsPerPixel << " bits per pixel; " << picture.reason << "; needs "
            << picture.neededWidth << " x " << picture.neededHeight << "\n";
        return;
    }
    if (!picture.loaded) {
        out << "FAILED: " << (picture.reason.empty() ? "cannot be read" : picture.reason)
            << "; needs " << picture.neededWidth << " x " << picture.neededHeight << "\n";
        return;
    }
    out << "loaded, " << picture.width << " x " << picture.height << ", " << picture.bitsPerPixel
        << " bits per pixel; needs " << picture.neededWidth << " x " << picture.neededHeight;
    if (picture.TooSmall()) {
        out << ": TOO SMALL";
    }
    out << "; " << picture.approximatedPixels << " approximated, " << picture.seeThroughPixels
        << " see-through pixels\n";
    if (!picture.approximatedColours.empty()) {
        out << "    approximated colours: " << ColoursText(picture, false) << "\n";
    }
}

void WritePiece(std::ostream& out, const WallSetReport& report, const PieceReport& piece) {
    const PieceForm& form = piece.form;
    out << "  " << PieceName(piece) << ": ";
    if (piece.emptySlot) {
        out << "never drawn (the game leaves this place empty)\n";
        return;
    }
    const PictureReport& picture = report.pictures[static_cast<std::size_t>(form.slot)];
    out << "from " << picture.key << " at (" << form.sourceX << "," << form.sourceY << ") into ("
        << form.left << "," << form.top << ")-(" << form.right << "," << form.bottom << "): ";
    if (!piece.pictureLoaded) {
        out << "draws nothing, its picture did not load\n";
        return;
    }
    const PieceCoverage& coverage = piece.coverage;
    if (coverage.CoversAll()) {
        out << "covered\n";
        return;
    }
    out << (coverage.DrawsNothing() ? "draws nothing" : "NOT COVERED");
    if (!coverage.emptyColumns.empty()) {
        out << "; " << RunsText("column", coverage.emptyColumns);
    }
    if (!coverage.emptyRows.empty()) {
        out << "; " << RunsText("row", coverage.emptyRows);
    }
    out << "; the picture is " << picture.width << " x " << picture.height;
    if (coverage.neededWidth > 0 && coverage.neededHeight > 0) {
        out << ", this piece needs at least " << coverage.neededWidth << " x "
            << coverage.neededHeight;
    }
    out << "\n";
}

}  // namespace

std::string PieceName(const PieceReport& piece) {
    const ViewCell& cell = ViewCells()[static_cast<std::size_t>(piece.row)];
    return messages::PiecePlace(cell.lateral, cell.forward, piece.alternate, piece.form.mirrored,
                                cell.name);
}

std::string CheckText(const WallSetReport& report, const std::filesystem::path& homeFolder,
                      const std::optional<std::filesystem::path>& wallSetFile) {
    std::ostringstream out;
    out << "Wall set: "
        << (wallSetFile ? DisplayText(PathToUtf8(*wallSetFile))
                        : std::string("none (default picture names)"))
        << "\n";
    out << "Home folder: " << DisplayText(PathToUtf8(homeFolder)) << "\n";
    out << "Palette " << kPaletteFileName << ": ";
    if (report.paletteLoaded) {
        out << "loaded\n";
    } else {
        out << "FAILED: "
            << (report.paletteReason.empty() ? "cannot be read" : report.paletteReason)
            << "; the colours stay black\n";
    }

    WriteSeeThrough(out, report);

    out << "\nPictures:\n";
    for (const PictureReport& picture : report.pictures) {
        WritePicture(out, picture);
    }

    if (!report.wallSetFileWarnings.empty()) {
        out << "\nWall-set file (lines the reader passes over):\n";
        for (const LintWarning& warning : report.wallSetFileWarnings) {
            out << "  " << (warning.line > 0 ? "line " + std::to_string(warning.line) + ": " : "")
                << warning.text << "\n";
        }
    }

    out << "\nPieces (where they stand; viewport rectangles, inclusive):\n";
    for (const PieceReport& piece : report.pieces) {
        WritePiece(out, report, piece);
    }

    out << "\nSummary: " << report.FailedFiles() << " file(s) failed to load, "
        << report.UncoveredPieces() << " piece(s) not fully covered, "
        << report.ApproximatedPictures() << " picture(s) with approximated colours, "
        << report.SeeThroughPictures() << " with colours that became see-through\n";
    return out.str();
}

std::string ReportSummaryLine(const WallSetReport& report) {
    std::vector<std::string> parts;
    // See-through first: it is the one the artist cannot see in their own program.
    for (const bool seeThrough : {true, false}) {
        for (const PictureReport& picture : report.pictures) {
            if (picture.approximatedPixels > 0 && (picture.seeThroughPixels > 0) == seeThrough) {
                parts.push_back(messages::ApproximationSummary(
                    picture.key, picture.approximatedPixels, picture.seeThroughPixels));
            }
        }
    }
    for (const PictureReport& picture : report.pictures) {
        if (picture.TooSmall()) {
            parts.push_back(messages::TooSmallSummary(picture.key, picture.width, picture.height,
                                                      picture.neededWidth, picture.neededHeight));
        }
    }
    std::string line;
    for (const std::string& part : parts) {
        line += (line.empty() ? "" : std::string(messages::kSummarySeparator)) + part;
    }
    return line;
}

}  // namespace orvandel
