#pragma once

#include <iosfwd>

#include "cli/cli_request.h"
#include "core/session/wall_set_session.h"

namespace orvandel::cli {

// Each returns the exit status: 0 all loaded and written, 1 something failed, 2 bad usage.
int RunExport(const CliRequest& request, WallSetSession& session, std::ostream& out,
              std::ostream& err);
// `out` takes the tool's remarks (silenced by --quiet), `data` what was asked for.
int RunRender(const CliRequest& request, WallSetSession& session, std::ostream& out,
              std::ostream& err, std::ostream& data);
int RunCheck(const CliRequest& request, WallSetSession& session, std::ostream& out,
             std::ostream& err, std::ostream& data);

// A command's status once standard output has been flushed: a write that failed there (a full
// disk, a closed descriptor) is said with its reason and fails the run.
int FinishStandardOutput(int status, std::ostream& out, std::ostream& err);

// The whole tool: parses, opens the wall-set file and runs the command.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace orvandel::cli
