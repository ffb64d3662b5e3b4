#include "cli/terminal.h"

#include <io.h>

#include <cstdio>
#include <iostream>

namespace orvandel::cli {

bool IsTerminal(const std::ostream& out) {
    return &out == &std::cout && _isatty(_fileno(stdout)) != 0;
}

}  // namespace orvandel::cli
