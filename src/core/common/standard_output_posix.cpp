#include "core/common/standard_output.h"

#include <csignal>

namespace orvandel {

void IgnoreClosedPipeSignal() {
    std::signal(SIGPIPE, SIG_IGN);
}

void SendStandardOutputAsBytes() {}

}  // namespace orvandel
