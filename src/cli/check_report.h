#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/wallset/load_wall_set.h"
#include "core/wallset/wall_set.h"

namespace orvandel::cli {

// What `check` found, as text for the artist and as counts for the exit status.
struct CheckReport {
    std::string text;
    int failedFiles = 0;           // the palette and the pictures that did not load
    int uncoveredPieces = 0;       // forms whose loaded image leaves part of the rectangle empty
    int approximatedPictures = 0;  // pictures with colours that are not exactly in the palette
};

CheckReport BuildCheckReport(const WallSet& wallSet, const LoadReport& load,
                             const std::optional<std::filesystem::path>& wallSetFile,
                             const std::filesystem::path& homeFolder);

}  // namespace orvandel::cli
