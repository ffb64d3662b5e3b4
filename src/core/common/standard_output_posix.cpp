#include "core/common/standard_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
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

void KeepClosedStandardStreamsClosed() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // Opened for reading only: a write to it fails with "Bad file descriptor", as it would
        // have on the closed descriptor.
        const int filler = ::open("/dev/null", O_RDONLY);
        if (filler >= 0 && filler != fd) {
            ::dup2(filler, fd);
            ::close(filler);
        }
    }
}

long WriteStandardOutputBytes(const char* data, std::size_t size, int& error) {
    const ssize_t written = ::write(STDOUT_FILENO, data, size);
    error = written < 0 ? errno : 0;
    return static_cast<long>(written);
}

int CloseStandardOutputDescriptor() {
    return ::close(STDOUT_FILENO) == 0 ? 0 : errno;
}

}  // namespace orvandel
