#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace orvandel::cli {

// Whether `out` is the process's standard output and that is a terminal, where colour swatches
// can be shown; never for a pipe, a file or a test's string stream.
bool IsTerminal(const std::ostream& out);
// Whether the process's standard error is a terminal rather than a pipe or a build log.
bool IsStandardErrorTerminal();

// Makes std::cout write straight to the standard output descriptor through a buffer that keeps
// the reason of its first failed write, which iostreams and stdio both forget. Once, at start.
void UseCheckedStandardOutput();

// Closes the standard output descriptor; the reason when the system reports a lost write then.
std::optional<std::string> CloseStandardOutput();

// Whether everything written to `out` reached it, after flushing it (and, for the process's
// standard output, the C library's buffer below it): nothing when it did, an empty reason when
// the reader went away (a closed pipe), the system's reason otherwise.
std::optional<std::string> StandardOutputProblem(std::ostream& out);

}  // namespace orvandel::cli
