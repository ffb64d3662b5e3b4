#pragma once

#include <optional>
#include <string_view>

#include "cli/cli_request.h"
#include "core/common/geometry.h"

namespace orvandel::cli {

// "X,Y" with X and Y in 0..15, for --toggle.
std::optional<Point> ParseCellArgument(std::string_view text);

// "X,Y,F" with X and Y in 0..15 and F one of N, E, S, W (either case), for --at.
std::optional<ViewerPlacement> ParsePlacementArgument(std::string_view text);

}  // namespace orvandel::cli
