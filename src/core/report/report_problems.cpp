#include "core/report/report_problems.h"

#include <cstddef>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/report/check_text.h"

namespace orvandel {
namespace {

// A picture that was never found is named by its name from the home folder's point of view;
// the report keeps the resolved path only for files that exist.
std::filesystem::path FileOfPicture(const PictureReport& picture) {
    return picture.path.empty() ? PathFromUtf8(picture.name) : picture.path;
}

std::string UncoveredText(const WallSetReport& report, const PieceReport& piece) {
    const PictureReport& picture = report.pictures[static_cast<std::size_t>(piece.form.slot)];
    return messages::PieceNotCovered(PieceName(piece), picture.key, picture.width, picture.height,
                                     piece.coverage.neededWidth, piece.coverage.neededHeight);
}

bool Uncovered(const PieceReport& piece) {
    return piece.pictureLoaded && !piece.coverage.CoversAll();
}

}  // namespace

std::vector<std::string> StrictProblemLines(const WallSetReport& report,
                                            const std::filesystem::path& wallSetFile) {
    std::vector<std::string> lines;
    for (const LintWarning& warning : report.wallSetFileWarnings) {
        lines.push_back(messages::FileProblem(PathToUtf8(wallSetFile), warning.line, warning.text));
    }
    for (const PictureReport& picture : report.pictures) {
        if (picture.approximatedPixels > 0) {
            lines.push_back(
                messages::PictureProblem(picture.key, picture.name,
                                         messages::ApproximatedPixels(picture.approximatedPixels)));
        }
    }
    for (const PieceReport& piece : report.pieces) {
        if (Uncovered(piece)) {
            lines.push_back(UncoveredText(report, piece));
        }
    }
    return lines;
}

std::vector<Diagnostic> StrictProblemDiagnostics(const WallSetReport& report,
                                                 const std::filesystem::path& wallSetFile,
                                                 Diagnostic::Level level) {
    std::vector<Diagnostic> diagnostics;
    for (const LintWarning& warning : report.wallSetFileWarnings) {
        diagnostics.push_back({level, wallSetFile, warning.line, warning.text});
    }
    for (const PictureReport& picture : report.pictures) {
        if (picture.approximatedPixels > 0) {
            diagnostics.push_back({level, FileOfPicture(picture), 0,
                                   messages::ApproximatedPixels(picture.approximatedPixels)});
        }
    }
    for (const PieceReport& piece : report.pieces) {
        if (Uncovered(piece)) {
            const PictureReport& picture =
                report.pictures[static_cast<std::size_t>(piece.form.slot)];
            diagnostics.push_back({level, FileOfPicture(picture), 0, UncoveredText(report, piece)});
        }
    }
    return diagnostics;
}

std::vector<Diagnostic> ExportWarnings(const WallSetReport& report) {
    std::vector<Diagnostic> warnings;
    for (const PictureReport& picture : report.pictures) {
        if (picture.seeThroughPixels > 0) {
            warnings.push_back({Diagnostic::Level::kWarning, FileOfPicture(picture), 0,
                                messages::SeeThroughPixels(picture.seeThroughPixels)});
        }
    }
    for (const PieceReport& piece : report.pieces) {
        if (Uncovered(piece)) {
            const PictureReport& picture =
                report.pictures[static_cast<std::size_t>(piece.form.slot)];
            warnings.push_back({Diagnostic::Level::kWarning, FileOfPicture(picture), 0,
                                UncoveredText(report, piece)});
        }
    }
    return warnings;
}

std::vector<ReportProblem> ProblemsOfPicture(const PictureReport& picture) {
    std::vector<ReportProblem> problems;
    const auto add = [&problems](std::string_view code, std::string message) {
        problems.push_back({std::string(code), std::move(message)});
    };
    if (picture.decodedWithoutPalette) {
        add(problem_codes::kNotMatched, std::string(messages::kNotMatchedPaletteFailed));
    } else if (!picture.loaded) {
        add(picture.missing ? problem_codes::kMissing : problem_codes::kUnreadable, picture.reason);
        return problems;
    }
    if (picture.width < picture.neededWidth || picture.height < picture.neededHeight) {
        add(problem_codes::kTooSmall,
            messages::PictureTooSmall(picture.width, picture.height, picture.neededWidth,
                                      picture.neededHeight));
    }
    if (picture.approximatedPixels > 0) {
        add(problem_codes::kApproximated, messages::ApproximatedPixels(picture.approximatedPixels));
    }
    if (picture.seeThroughPixels > 0) {
        add(problem_codes::kSeeThrough, messages::SeeThroughPixels(picture.seeThroughPixels));
    }
    return problems;
}

}  // namespace orvandel
