#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/wallset/load_wall_set.h"
#include "core/wallset/wall_set.h"
#include "core/wallset/wall_set_lint.h"

namespace orvandel {

// Every problem of a loaded wall set, one line each, in the order a reader fixes them: the
// files that did not load, then what only a strict check counts. `check --strict` and a strict
// export both judge by this, so they can never disagree.
struct WallSetFindings {
    std::vector<std::string> failures;  // the palette or a picture did not load
    // A lint warning of the wall-set file, a piece its picture does not fully cover, or a
    // picture whose colours are not all in the palette.
    std::vector<std::string> strictWarnings;
    int uncoveredPieces = 0;
    int approximatedPictures = 0;

    bool Clean(bool strict) const {
        return failures.empty() && (!strict || strictWarnings.empty());
    }
};

// `wallSetFile` is the open wall-set file (empty for the default names); its lint warnings
// are given by its name and line, the way compilers report them.
WallSetFindings FindWallSetProblems(const WallSet& wallSet, const LoadReport& load,
                                    const std::filesystem::path& wallSetFile,
                                    const std::vector<LintWarning>& lint);

}  // namespace orvandel
