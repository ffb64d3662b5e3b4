#include "core/image/file_ops.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

namespace orvandel {
namespace {

// The names a shell gives its own descriptors. Written through, they are the descriptor the
// program was handed, whatever it points at: `{ echo; orvandel-cli ... --output /dev/stdout; }
// > file` must append to the file the shell opened, not replace it.
std::optional<int> DescriptorNamed(const std::filesystem::path& path) {
    const std::string_view name = path.native();
    if (name == "/dev/stdout") {
        return STDOUT_FILENO;
    }
    if (name == "/dev/stderr") {
        return STDERR_FILENO;
    }
    for (const std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (name.starts_with(prefix) && name.size() > prefix.size()) {
            int number = -1;
            const char* end = name.data() + name.size();
            const auto [stop, error] = std::from_chars(name.data() + prefix.size(), end, number);
            if (error == std::errc() && stop == end && number >= 0) {
                return number;
            }
        }
    }
    return std::nullopt;
}

// Where a chain of symbolic links ends, for a link whose file does not exist yet.
std::filesystem::path EndOfLinks(std::filesystem::path path) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
            break;
        }
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error) {
            break;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// No write permission for anyone is how a checkout or an archive marks a file read-only; root
// could still write it, which is why the mode is asked and not access(2).
bool IsMarkedReadOnly(const struct stat& info) {
    return (info.st_mode & 0222) == 0;
}

class PosixFileOps final : public FileOps {
public:
    int CreateTemporary(const std::filesystem::path& path) override {
        int fd = -1;
        do {
            fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
        } while (fd < 0 && errno == EINTR);
        return fd;
    }

    bool Write(int handle, std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            const ssize_t written = ::write(handle, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                return false;
            }
            bytes = bytes.subspan(static_cast<std::size_t>(written));
        }
        return true;
    }

    bool Flush(int handle) override {
        int result = 0;
        do {
            result = ::fsync(handle);
        } while (result != 0 && errno == EINTR);
        return result == 0;
    }

    // Not retried on EINTR: the descriptor is gone either way, and the caller treats the
    // failure as a failed write.
    bool Close(int handle) override { return ::close(handle) == 0; }

    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0;
    }

    void Remove(const std::filesystem::path& path) override { ::unlink(path.c_str()); }

    void KeepPermissionsOf(int handle, const std::filesystem::path& existing) override {
        struct stat info {};
        if (::stat(existing.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            ::fchmod(handle, info.st_mode & 07777);
        }
    }

    std::error_code LastError() const override { return {errno, std::generic_category()}; }

    Target InspectTarget(const std::filesystem::path& path, bool followLinks) override {
        if (followLinks && DescriptorNamed(path)) {
            return {TargetKind::kStream, path};
        }
        struct stat info {};
        const int result = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
        if (result != 0) {
            // A link to a file not yet there makes that file, as a shell's `>` does.
            return {TargetKind::kNone, followLinks ? EndOfLinks(path) : path};
        }
        if (S_ISDIR(info.st_mode)) {
            return {TargetKind::kFolder, path};
        }
        if (S_ISLNK(info.st_mode)) {
            return {TargetKind::kRegular, path};  // the link itself is what gets replaced
        }
        if (!S_ISREG(info.st_mode)) {
            return {TargetKind::kStream, path};
        }
        if (IsMarkedReadOnly(info)) {
            return {TargetKind::kReadOnly, path};
        }
        if (!followLinks) {
            return {TargetKind::kRegular, path};
        }
        // The replacement must land where the link points, beside the file it replaces.
        std::error_code error;
        std::filesystem::path resolved = std::filesystem::canonical(path, error);
        return {TargetKind::kRegular, error ? path : resolved};
    }

    int OpenStream(const std::filesystem::path& path) override {
        if (const std::optional<int> descriptor = DescriptorNamed(path)) {
            // A copy, so that closing it to learn of a lost write leaves the shell's own open.
            return ::fcntl(*descriptor, F_DUPFD_CLOEXEC, 0);
        }
        int fd = -1;
        do {
            fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        return fd;
    }
};

}  // namespace

std::uint64_t CurrentProcessId() {
    return static_cast<std::uint64_t>(::getpid());
}

bool ProcessIsRunning(std::uint64_t processId) {
    if (processId == 0 ||
        processId > static_cast<std::uint64_t>(std::numeric_limits<pid_t>::max())) {
        return false;
    }
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

FileOps& SystemFileOps() {
    static PosixFileOps ops;
    return ops;
}

}  // namespace orvandel
