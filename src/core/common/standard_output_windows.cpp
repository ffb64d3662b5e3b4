#include "core/common/standard_output.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace orvandel {

void IgnoreClosedPipeSignal() {}

void SendStandardOutputAsBytes() {
    std::fflush(stdout);
    ::_setmode(::_fileno(stdout), _O_BINARY);
}

bool StandardOutputIsTerminal() {
    return ::_isatty(::_fileno(stdout)) != 0;
}

bool StandardErrorIsTerminal() {
    return ::_isatty(::_fileno(stderr)) != 0;
}

}  // namespace orvandel
