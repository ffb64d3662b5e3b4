#pragma once

#include <iosfwd>

#include "core/session/session_report.h"

namespace orvandel::cli {

// Writes a session's report the way a command-line tool should: warnings, each followed by the
// failed files' reasons after a blank line, on `err`; information on `out`.
void WriteReport(const SessionReport& report, std::ostream& out, std::ostream& err);

// 0 done, 1 failed, 2 refused (the user named something unusable).
int ExitStatusOf(Outcome outcome);
// The status of several steps: the worst of them.
int WorstExitStatus(int a, int b);

}  // namespace orvandel::cli
