#include "cli/report_output.h"

#include <algorithm>
#include <ostream>
#include <string_view>

#include "cli/cli_request.h"

namespace orvandel::cli {
namespace {

// Ends a text with a line break unless it already ends in one.
void WriteLines(std::ostream& stream, std::string_view text) {
    if (text.empty()) {
        return;
    }
    stream << text;
    if (text.back() != '\n') {
        stream << '\n';
    }
}

}  // namespace

void WriteReport(const SessionReport& report, std::ostream& out, std::ostream& err) {
    for (const Notice& notice : report.notices) {
        if (notice.severity == Severity::Information) {
            WriteLines(out, notice.text);
            continue;
        }
        WriteLines(err, notice.text);
        if (!notice.details.empty()) {
            // A blank line keeps the reasons apart from the list, which they repeat names of.
            err << '\n';
            WriteLines(err, notice.DetailText());
        }
    }
    out.flush();
    err.flush();
}

void WriteReport(const SessionReport& report, std::ostream& out, std::ostream& err,
                 const DiagnosticStyle& style) {
    if (!style.lines) {
        WriteReport(report, out, err);
        return;
    }
    std::vector<Diagnostic> diagnostics = report.diagnostics;
    for (const Notice& notice : report.notices) {
        if (notice.severity == Severity::Information) {
            WriteLines(out, notice.text);
        } else if (report.diagnostics.empty()) {
            // A warning that names no file is still one line, not a block.
            diagnostics.push_back(
                {report.ok() ? Diagnostic::Level::kWarning : Diagnostic::Level::kError,
                 {},
                 0,
                 notice.text});
            for (const std::string& detail : notice.details) {
                diagnostics.push_back({Diagnostic::Level::kError, {}, 0, detail});
            }
        }
    }
    out.flush();
    WriteDiagnostics(diagnostics, err, style);
}

void WriteDiagnostics(const std::vector<Diagnostic>& diagnostics, std::ostream& err,
                      const DiagnosticStyle& style) {
    for (const Diagnostic& diagnostic : diagnostics) {
        err << DiagnosticLine(diagnostic, style.startFolder) << '\n';
    }
    err.flush();
}

int ExitStatusOf(Outcome outcome) {
    switch (outcome) {
        case Outcome::Done:
            return kExitOk;
        case Outcome::Failed:
            return kExitFailed;
        case Outcome::Refused:
            return kExitUsage;
    }
    return kExitFailed;
}

int WorstExitStatus(int a, int b) {
    return std::max(a, b);
}

}  // namespace orvandel::cli
