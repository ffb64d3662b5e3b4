#include "cli/terminal.h"

#include <unistd.h>

#include <iostream>

namespace orvandel::cli {

bool IsTerminal(const std::ostream& out) {
    return &out == &std::cout && ::isatty(STDOUT_FILENO) != 0;
}

}  // namespace orvandel::cli
