#pragma once

#include <filesystem>
#include <iosfwd>
#include <vector>

#include "core/common/diagnostic.h"
#include "core/session/session_report.h"

namespace orvandel::cli {

// Writes a session's report the way a command-line tool should: warnings, each followed by the
// failed files' reasons after a blank line, on `err`; information on `out`.
void WriteReport(const SessionReport& report, std::ostream& out, std::ostream& err);

// How problems are laid out on stderr: the terminal's blocks, or one line each for a build log,
// paths shown from the folder the tool started in.
struct DiagnosticStyle {
    bool lines = false;
    std::filesystem::path startFolder;
};
// The same, with the report's diagnostics in place of its warnings when `style` asks for lines.
void WriteReport(const SessionReport& report, std::ostream& out, std::ostream& err,
                 const DiagnosticStyle& style);
// Each one line, "PATH[:LINE]: error|warning: TEXT".
void WriteDiagnostics(const std::vector<Diagnostic>& diagnostics, std::ostream& err,
                      const DiagnosticStyle& style);

// 0 done, 1 failed, 2 refused (the user named something unusable).
int ExitStatusOf(Outcome outcome);
// The status of several steps: the worst of them.
int WorstExitStatus(int a, int b);

}  // namespace orvandel::cli
