#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/diagnostic.h"
#include "core/report/wall_set_report.h"

namespace orvandel {

// What only a strict check fails on, one line per problem for stderr and for a refused strict
// export: the wall-set file's warnings ("set.Pelorim:3: ..."), approximated colours, pieces
// their picture does not cover. The files that failed to load are the load's own message.
std::vector<std::string> StrictProblemLines(const WallSetReport& report,
                                            const std::filesystem::path& wallSetFile);

// The same problems for a build log, each naming the file it is about: the wall-set file and
// line for its warnings, the picture for approximated colours and uncovered pieces.
std::vector<Diagnostic> StrictProblemDiagnostics(const WallSetReport& report,
                                                 const std::filesystem::path& wallSetFile,
                                                 Diagnostic::Level level);

// What a non-strict export ships broken, one warning each: pictures with see-through pixels
// and pieces their picture does not cover.
std::vector<Diagnostic> ExportWarnings(const WallSetReport& report);

// A problem of one picture for scripts: a code that never changes once released, and the
// message an artist reads.
namespace problem_codes {
inline constexpr std::string_view kMissing = "picture.missing";
inline constexpr std::string_view kUnreadable = "picture.unreadable";
inline constexpr std::string_view kNotMatched = "picture.not_matched";
inline constexpr std::string_view kTooSmall = "picture.too_small";
inline constexpr std::string_view kApproximated = "picture.approximated";
inline constexpr std::string_view kSeeThrough = "picture.see_through";
}  // namespace problem_codes

struct ReportProblem {
    std::string code;
    std::string message;
};
std::vector<ReportProblem> ProblemsOfPicture(const PictureReport& picture);

}  // namespace orvandel
