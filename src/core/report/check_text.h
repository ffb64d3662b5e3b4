#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/report/wall_set_report.h"

namespace orvandel {

// `orvandel-cli check` for the artist: what loaded, which pictures became see-through (first),
// each picture's size against the size it needs, and what each piece covers, named by place.
std::string CheckText(const WallSetReport& report, const std::filesystem::path& homeFolder,
                      const std::optional<std::filesystem::path>& wallSetFile);

// The status line after a load: every picture that became see-through or approximated, then
// every picture too small for its places. Empty when all is well.
std::string ReportSummaryLine(const WallSetReport& report);

// How a piece is named to the artist: "left side, distance 2 (alternate, mirrored) [D2L]".
std::string PieceName(const PieceReport& piece);

}  // namespace orvandel
