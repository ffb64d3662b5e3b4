#include "core/report/report_problems.h"
#include "core/common/path_text.h"

#include <cstddef>

#include "core/common/message_texts.h"
#include "core/report/check_text.h"

namespace orvandel {

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
        if (!piece.pictureLoaded || piece.coverage.CoversAll()) {
            continue;
        }
        const PictureReport& picture = report.pictures[static_cast<std::size_t>(piece.form.slot)];
        lines.push_back(messages::PieceNotCovered(PieceName(piece), picture.key, picture.width,
                                                  picture.height, piece.coverage.neededWidth,
                                                  piece.coverage.neededHeight));
    }
    return lines;
}

}  // namespace orvandel
