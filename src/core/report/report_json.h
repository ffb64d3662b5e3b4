#pragma once

#include <filesystem>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "core/image/palette16.h"
#include "core/report/wall_set_report.h"

namespace orvandel {

// The version of the report's keys: raised by any change that removes a key or changes what one
// means; adding keys keeps it. The keys are described in check-report.schema.json.
inline constexpr int kReportJsonFormat = 1;

// The report as `check --json` writes it, with the exit status the run ends with. Returned as
// an object so that other commands can add keys of their own before writing it. The report's
// colour lists are written as they are: ListApproximatedColours fills them.
nlohmann::ordered_json WallSetReportJson(const WallSetReport& report,
                                         const std::filesystem::path& homeFolder,
                                         const std::optional<std::filesystem::path>& wallSetFile,
                                         int exitStatus);

// The same report written to `out`, followed by a line break: the colour lists, which can hold
// hundreds of thousands of entries, go straight to the stream, one entry per line, instead of
// through JSON values a hundred times their size.
void WriteWallSetReportJson(std::ostream& out, const WallSetReport& report,
                            const std::filesystem::path& homeFolder,
                            const std::optional<std::filesystem::path>& wallSetFile,
                            int exitStatus);

// Any JSON of the program as text, indented by two: valid UTF-8 whatever bytes the names and
// paths in it hold (a byte that is not UTF-8 becomes U+FFFD), and never an exception.
std::string JsonText(const nlohmann::ordered_json& json);

// The report as text, for `check --json`.
std::string WallSetReportJsonText(const WallSetReport& report,
                                  const std::filesystem::path& homeFolder,
                                  const std::optional<std::filesystem::path>& wallSetFile,
                                  int exitStatus);

}  // namespace orvandel
