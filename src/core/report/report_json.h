#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "core/image/palette16.h"
#include "core/report/wall_set_report.h"

namespace orvandel {

// The report as `check --json` writes it. Returned as an object so that other commands can add
// keys of their own before writing it.
nlohmann::ordered_json WallSetReportJson(const WallSetReport& report,
                                         const std::filesystem::path& homeFolder,
                                         const std::optional<std::filesystem::path>& wallSetFile);

}  // namespace orvandel
