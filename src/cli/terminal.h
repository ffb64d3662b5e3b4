#pragma once

#include <ostream>

namespace orvandel::cli {

// Whether `out` is the process's standard output and that is a terminal, where colour swatches
// can be shown; never for a pipe, a file or a test's string stream.
bool IsTerminal(const std::ostream& out);
// Whether the process's standard error is a terminal rather than a pipe or a build log.
bool IsStandardErrorTerminal();

}  // namespace orvandel::cli
