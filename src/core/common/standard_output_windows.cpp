#include "core/common/standard_output.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace orvandel {

void IgnoreClosedPipeSignal() {}

// Windows gives a new file no standard descriptor's number, so nothing can land there.
void KeepClosedStandardStreamsClosed() {}

void SendStandardOutputAsBytes() {
    std::fflush(stdout);
    ::_setmode(::_fileno(stdout), _O_BINARY);
}

}  // namespace orvandel
