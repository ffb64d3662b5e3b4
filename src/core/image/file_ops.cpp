#include "core/image/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

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
};

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target,
                                          std::mt19937& random) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string tag(6, 'x');
    for (char& c : tag) {
        c = kLetters[random() % (sizeof kLetters - 1)];
    }
    return target.parent_path() / ("." + target.filename().string() + "." + tag + ".tmp");
}

// Creates the temporary file under a fresh name; a few names are tried in case one is taken.
int CreateTemporaryBeside(const std::filesystem::path& target, FileOps& ops,
                          std::filesystem::path& temporary) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 4; ++attempt) {
        temporary = TemporaryNameBeside(target, random);
        const int handle = ops.CreateTemporary(temporary);
        if (handle >= 0) {
            return handle;
        }
    }
    return -1;
}

}  // namespace

FileOps& SystemFileOps() {
    static PosixFileOps ops;
    return ops;
}

// The file is never written in place: a full disk or a crash half way must not destroy an
// earlier good file, so the new contents become visible only by the final rename.
bool WriteFileAtomically(const std::filesystem::path& target,
                         std::span<const std::span<const std::uint8_t>> chunks, FileOps& ops) {
    if (target.filename().empty()) {
        return false;
    }
    std::filesystem::path temporary;
    const int handle = CreateTemporaryBeside(target, ops, temporary);
    if (handle < 0) {
        return false;
    }
    bool written = true;
    for (const auto chunk : chunks) {
        if (!ops.Write(handle, chunk)) {
            written = false;
            break;
        }
    }
    if (written) {
        ops.KeepPermissionsOf(handle, target);
        written = ops.Flush(handle);
    }
    const bool closed = ops.Close(handle);
    if (!written || !closed || !ops.Rename(temporary, target)) {
        ops.Remove(temporary);
        return false;
    }
    return true;
}

}  // namespace orvandel
