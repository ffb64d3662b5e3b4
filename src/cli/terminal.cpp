#include "cli/terminal.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>

#include "core/common/message_texts.h"
#include "core/common/standard_output.h"

namespace orvandel::cli {
namespace {

// Standard output without stdio below it: every write is the system's, and its first failure
// is kept with its reason.
class CheckedOutputBuffer final : public std::streambuf {
public:
    CheckedOutputBuffer() { setp(m_buffer, m_buffer + sizeof m_buffer); }

    int error() const { return m_error; }

protected:
    int_type overflow(int_type c) override {
        if (!Drain()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override { return Drain() ? 0 : -1; }

private:
    bool Drain() {
        const char* at = pbase();
        const char* const end = pptr();
        while (at < end && m_error == 0) {
            int error = 0;
            const long written =
                WriteStandardOutputBytes(at, static_cast<std::size_t>(end - at), error);
            if (written < 0 && error == EINTR) {
                continue;
            }
            if (written <= 0) {
                m_error = written < 0 && error != 0 ? error : EIO;
                break;
            }
            at += written;
        }
        setp(m_buffer, m_buffer + sizeof m_buffer);
        return m_error == 0;
    }

    char m_buffer[1 << 16];
    int m_error = 0;
};

CheckedOutputBuffer* g_checkedOutput = nullptr;

}  // namespace

void UseCheckedStandardOutput() {
    // Never destroyed: std::cout flushes itself after every static object is gone, and it must
    // still find its buffer then.
    g_checkedOutput = new CheckedOutputBuffer;
    std::fflush(stdout);
    std::cout.rdbuf(g_checkedOutput);
}

bool IsTerminal(const std::ostream& out) {
    return &out == &std::cout && StandardOutputIsTerminal();
}

bool IsStandardErrorTerminal() {
    return StandardErrorIsTerminal();
}

std::optional<std::string> CloseStandardOutput() {
    std::cout.flush();
    const int error = CloseStandardOutputDescriptor();
    if (error == 0 || error == EBADF) {
        return std::nullopt;
    }
    return std::string(std::strerror(error));
}

std::optional<std::string> StandardOutputProblem(std::ostream& out) {
    errno = 0;
    out.flush();
    const bool failed = !out;
    int reason = errno;
    if (&out == &std::cout && g_checkedOutput != nullptr && g_checkedOutput->error() != 0) {
        reason = g_checkedOutput->error();
    }
    if (!failed) {
        return std::nullopt;
    }
    if (reason == EPIPE) {
        return std::string();
    }
    return reason != 0 ? std::string(std::strerror(reason))
                       : std::string(messages::kFileNotWritten);
}

}  // namespace orvandel::cli
