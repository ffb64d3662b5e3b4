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

// Any JSON of the program as text, indented by two: valid UTF-8 whatever bytes the names and
// paths in it hold (a byte that is not UTF-8 becomes U+FFFD), and never an exception.
std::string JsonText(const nlohmann::ordered_json& json);

// The report as text, for `check --json`.
std::string WallSetReportJsonText(const WallSetReport& report,
                                  const std::filesystem::path& homeFolder,
                                  const std::optional<std::filesystem::path>& wallSetFile);

}  // namespace orvandel
