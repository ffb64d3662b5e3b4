#include "core/image/file_ops.h"

#include <random>
#include <string>

namespace orvandel {
namespace {

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target,
                                          std::mt19937& random) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string tag(6, 'x');
    for (char& c : tag) {
        c = kLetters[random() % (sizeof kLetters - 1)];
    }
    // Composed as a path, never through a narrow string: on Windows that would not survive a
    // name outside the ANSI code page.
    std::filesystem::path name = ".";
    name += target.filename();
    name += "." + tag + ".tmp";
    return target.parent_path() / name;
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
