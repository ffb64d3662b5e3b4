#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>

#include "cli/cli_request.h"

namespace orvandel::cli {

// The parsed command line, or the exit status to end with (help and version print and give
// 0; bad arguments print a message and give 2).
struct ParseOutcome {
    std::optional<CliRequest> request;
    int exitStatus = kExitOk;
};

// Relative names resolve against `startFolder`, the current folder when the tool started.
ParseOutcome ParseCommandLine(int argc, const char* const* argv,
                              const std::filesystem::path& startFolder, std::ostream& out,
                              std::ostream& err);

}  // namespace orvandel::cli
