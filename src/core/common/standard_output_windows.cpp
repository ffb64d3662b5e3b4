#include "core/common/standard_output.h"

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>

namespace orvandel {

void IgnoreClosedPipeSignal() {}

// Windows gives a new file no standard descriptor's number, so nothing can land there.
void KeepClosedStandardStreamsClosed() {}

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

long WriteStandardOutputBytes(const char* data, std::size_t size, int& error) {
    const int written = ::_write(1, data, static_cast<unsigned>(size));
    error = written < 0 ? errno : 0;
    return written;
}

int CloseStandardOutputDescriptor() {
    return ::_close(1) == 0 ? 0 : errno;
}

}  // namespace orvandel
