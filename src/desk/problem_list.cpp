#include "desk/problem_list.h"

#include <cctype>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/wallset/picture_path.h"
#include "core/wallset/wallset_keys.h"

namespace orvandel {
namespace {

std::string Joined(std::string first, std::string_view second) {
    if (second.empty()) {
        return first;
    }
    return first + "; " + std::string(second);
}

// Where a name of the wall set resolves today, when that says more than the name itself.
std::string ResolvedPath(const WallSetSession& session, const std::string& name) {
    if (name.empty()) {
        return {};
    }
    const std::filesystem::path& wallSetFile = session.document().path();
    const std::filesystem::path beside =
        wallSetFile.empty() ? std::filesystem::path() : wallSetFile.parent_path();
    const WallSetFileLocation location = LocateWallSetFile(name, session.homeFolder(), beside);
    const std::string path = PathToUtf8(location.path);
    return path == name ? std::string() : path;
}

ProblemEntry PictureEntry(const WallSetSession& session, const PictureReport& picture,
                          ProblemKind kind) {
    ProblemEntry entry;
    entry.kind = kind;
    entry.slot = picture.slot;
    entry.key = picture.key;
    entry.file = picture.name;
    entry.path = ResolvedPath(session, picture.name);
    return entry;
}

}  // namespace

std::string ProblemEntry::Text() const {
    std::string text;
    if (!key.empty()) {
        text = messages::PictureKeyAndName(key, file);
    } else {
        text = file;
    }
    if (line > 0) {
        text += ":" + std::to_string(line);
    }
    if (!path.empty()) {
        text += " (" + path + ")";
    }
    text += ": " + what;
    if (!remedy.empty()) {
        std::string sentence = remedy;
        sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
        text += ". " + sentence + ".";
    }
    return text;
}

std::string_view AllIsWellText() {
    return messages::kAllIsWell;
}

std::vector<ProblemEntry> LoadProblems(const WallSetSession& session, bool paletteKept) {
    std::vector<ProblemEntry> entries;
    // The panel counts the colours not in the palette: the one report that asks for the lists.
    const WallSetReport report = session.ReportWithColourLists();
    const LoadReport& load = session.lastLoad();
    if (!report.paletteLoaded) {
        ProblemEntry entry;
        entry.kind = ProblemKind::PaletteFailed;
        entry.file = kPaletteFileName;
        entry.path = ResolvedPath(session, kPaletteFileName);
        entry.what =
            Joined(messages::DidNotLoad(report.paletteReason),
                   paletteKept ? messages::kShowsLastGoodColours : messages::kViewWithoutPalette);
        entry.remedy = messages::kRemedyPalette;
        entries.push_back(std::move(entry));
    }
    for (const FailedPicture& failed : load.failedPictures) {
        const PictureReport& picture = report.pictures.at(static_cast<std::size_t>(failed.slot));
        ProblemEntry entry = PictureEntry(session, picture, ProblemKind::PictureFailed);
        // A fresh load empties the slot of a failed picture: pixels left in it are the version
        // a live reload kept.
        const bool kept =
            !session.wallSet().images.at(static_cast<std::size_t>(failed.slot)).IsEmpty();
        entry.what =
            Joined(messages::DidNotLoad(failed.reason),
                   kept ? messages::kShowsLastGoodVersion : messages::kPiecesMissingFromView);
        entry.remedy = messages::kRemedyPicture;
        entries.push_back(std::move(entry));
    }
    for (const PictureReport& picture : report.pictures) {
        if (!picture.TooSmall()) {
            continue;
        }
        ProblemEntry entry = PictureEntry(session, picture, ProblemKind::PictureTooSmall);
        entry.what = messages::PictureTooSmall(picture.width, picture.height, picture.neededWidth,
                                               picture.neededHeight);
        entry.remedy = messages::EnlargeTo(picture.neededWidth, picture.neededHeight);
        entries.push_back(std::move(entry));
    }
    for (const PictureReport& picture : report.pictures) {
        if (picture.approximatedPixels == 0 && picture.seeThroughPixels == 0) {
            continue;
        }
        ProblemEntry entry = PictureEntry(session, picture, ProblemKind::Approximated);
        entry.what = messages::PixelsNotInPalette(picture.approximatedPixels,
                                                  picture.approximatedColours.size(),
                                                  picture.coloursListed, picture.seeThroughPixels);
        entry.remedy = messages::kRemedyColours;
        entries.push_back(std::move(entry));
    }
    const std::string wallSetFile = PathToUtf8(session.document().path());
    for (const LintWarning& warning : report.wallSetFileWarnings) {
        ProblemEntry entry;
        entry.kind = ProblemKind::WallSetFileLine;
        entry.file = wallSetFile;
        entry.line = warning.line;
        entry.what = warning.text;
        entry.remedy = warning.line > 0 ? messages::kRemedyWallSetLine : std::string_view();
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<ProblemEntry> ExportProblems(const WallSetSession& session, const ExportRun& run) {
    std::vector<ProblemEntry> entries;
    if (!run.tally) {
        // Refused before anything was tried: the refusal is the entry.
        for (const Notice& notice : run.report.notices) {
            ProblemEntry entry;
            entry.kind = ProblemKind::ExportFailed;
            entry.file = PathToUtf8(session.homeFolder());
            entry.what = notice.text;
            entries.push_back(std::move(entry));
        }
        return entries;
    }
    const ExportTally& tally = *run.tally;
    ProblemEntry summary;
    summary.kind = ProblemKind::ExportSummary;
    summary.file = "Export";
    summary.what =
        messages::ExportSummary(tally.written, tally.unchanged, tally.failed, tally.folder);
    entries.push_back(std::move(summary));
    for (const Notice& notice : run.report.notices) {
        if (notice.severity != Severity::Warning) {
            continue;
        }
        if (notice.details.empty()) {
            ProblemEntry entry;
            entry.kind = ProblemKind::ExportFailed;
            entry.file = tally.folder;
            entry.what = notice.text;
            entries.push_back(std::move(entry));
        }
        for (const std::string& line : notice.details) {
            // "name: reason"
            ProblemEntry entry;
            entry.kind = ProblemKind::ExportFailed;
            const std::size_t colon = line.find(": ");
            entry.file = line.substr(0, colon);
            entry.path = tally.folder;
            entry.what = colon == std::string::npos ? std::string(messages::kWriteFailed)
                                                    : line.substr(colon + 2);
            entry.remedy = messages::kRemedyExportFailed;
            entries.push_back(std::move(entry));
        }
    }
    for (const PictureReport& picture : session.report().pictures) {
        if (!picture.loaded || (picture.approximatedPixels == 0 && picture.seeThroughPixels == 0)) {
            continue;
        }
        ProblemEntry entry = PictureEntry(session, picture, ProblemKind::ExportApproximated);
        entry.what =
            messages::ExportedApproximated(picture.approximatedPixels, picture.seeThroughPixels);
        entry.remedy = messages::kRemedyColours;
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace orvandel
