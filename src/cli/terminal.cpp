#include "cli/terminal.h"

#include <iostream>

#include "core/common/standard_output.h"

namespace orvandel::cli {

bool IsTerminal(const std::ostream& out) {
    return &out == &std::cout && StandardOutputIsTerminal();
}

bool IsStandardErrorTerminal() {
    return StandardErrorIsTerminal();
}

}  // namespace orvandel::cli
