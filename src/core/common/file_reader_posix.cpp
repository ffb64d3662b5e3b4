// The POSIX side of ReadableFile: open, type check and positioned reads.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/common/file_reader.h"
#include "core/common/message_texts.h"

namespace orvandel {
namespace {

std::string SystemReason(int error) {
    return messages::CannotBeRead(std::strerror(error != 0 ? error : EIO));
}

}  // namespace

ReadableFile ReadableFile::Open(const std::filesystem::path& path) {
    ReadableFile file;
    if (path.empty()) {
        file.m_reason = messages::kMissingFile;
        return file;
    }
    // Non-blocking, so that opening a FIFO does not wait for a writer; the type is then asked
    // of the open handle, so nothing can swap the file between the check and the reads.
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        file.m_reason = (error == ENOENT || error == ENOTDIR) ? std::string(messages::kMissingFile)
                                                              : SystemReason(error);
        return file;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        file.m_reason = SystemReason(errno);
        ::close(fd);
        return file;
    }
    if (S_ISDIR(info.st_mode)) {
        file.m_reason = messages::kIsAFolder;
        ::close(fd);
        return file;
    }
    if (!S_ISREG(info.st_mode)) {
        file.m_reason = messages::kNotARegularFile;
        ::close(fd);
        return file;
    }
    // Files of /proc and /sys say they are empty and yet hold bytes, made up as they are read;
    // they are no files of a wall set, and taking them as empty would misreport them.
    char probe = 0;
    if (info.st_size == 0 && ::pread(fd, &probe, 1, 0) > 0) {
        file.m_reason = messages::kNotARegularFile;
        ::close(fd);
        return file;
    }
    file.m_handle = fd;
    file.m_size = static_cast<std::uint64_t>(info.st_size);
    return file;
}

std::optional<std::size_t> ReadableFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (!IsOpen()) {
        return std::nullopt;
    }
    const int fd = static_cast<int>(m_handle);
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got =
            ::pread(fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            m_reason = SystemReason(errno);
            return std::nullopt;
        }
        if (got == 0) {
            break;  // the file ended early: it shrank since it was opened
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void ReadableFile::Close() {
    if (IsOpen()) {
        ::close(static_cast<int>(m_handle));
        m_handle = kNoHandle;
    }
}

}  // namespace orvandel
