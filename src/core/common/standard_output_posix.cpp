#include "core/common/standard_output.h"

#include <unistd.h>

#include <csignal>

namespace orvandel {

void IgnoreClosedPipeSignal() {
    std::signal(SIGPIPE, SIG_IGN);
}

void SendStandardOutputAsBytes() {}

bool StandardOutputIsTerminal() {
    return ::isatty(STDOUT_FILENO) != 0;
}

bool StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) != 0;
}

}  // namespace orvandel
