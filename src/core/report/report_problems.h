#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/report/wall_set_report.h"

namespace orvandel {

// What only a strict check fails on, one line per problem for stderr and for a refused strict
// export: the wall-set file's warnings ("set.Pelorim:3: ..."), approximated colours, pieces
// their picture does not cover. The files that failed to load are the load's own message.
std::vector<std::string> StrictProblemLines(const WallSetReport& report,
                                            const std::filesystem::path& wallSetFile);

}  // namespace orvandel
