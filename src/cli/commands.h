#pragma once

#include <iosfwd>

#include "cli/cli_request.h"
#include "core/session/wall_set_session.h"

namespace orvandel::cli {

// Each returns the exit status: 0 all loaded and written, 1 something failed, 2 bad usage.
int RunExport(const CliRequest& request, WallSetSession& session, std::ostream& out,
              std::ostream& err);
int RunRender(const CliRequest& request, WallSetSession& session, std::ostream& out,
              std::ostream& err);
int RunCheck(const CliRequest& request, WallSetSession& session, std::ostream& out,
             std::ostream& err);

// The whole tool: parses, opens the wall-set file and runs the command.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace orvandel::cli
