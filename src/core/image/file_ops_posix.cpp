#include "core/image/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace orvandel {
namespace {

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
};

}  // namespace

FileOps& SystemFileOps() {
    static PosixFileOps ops;
    return ops;
}

}  // namespace orvandel
