#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>

#include "core/common/status.h"

namespace orvandel {

// The file-system calls an atomic write makes. Tests replace them to make any one of them fail.
class FileOps {
public:
    virtual ~FileOps() = default;
    // Opens a new file for writing; returns a handle >= 0, or -1.
    virtual int CreateTemporary(const std::filesystem::path& path) = 0;
    virtual bool Write(int handle, std::span<const std::uint8_t> bytes) = 0;
    virtual bool Flush(int handle) = 0;
    virtual bool Close(int handle) = 0;
    virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual void Remove(const std::filesystem::path& path) = 0;
    // Gives the open file the permissions of `existing`, when that file exists. Best effort:
    // a replaced file should keep its mode, but failing to copy it is no reason to fail.
    virtual void KeepPermissionsOf(int /*handle*/, const std::filesystem::path& /*existing*/) {}
    // Why the call that just failed failed, read before anything else touches the system's
    // error state. Nothing known by default.
    virtual std::error_code LastError() const { return {}; }

    // What is at `path` now, asked before anything is written there. `followLinks` looks
    // through symbolic links to the file they point at; otherwise a link is a file of its own,
    // replaced like any other. Nothing there by default.
    enum class TargetKind { kNone, kRegular, kReadOnly, kFolder, kStream };
    struct Target {
        TargetKind kind = TargetKind::kNone;
        std::filesystem::path path;  // where a replacement goes: the link's file when followed
    };
    virtual Target InspectTarget(const std::filesystem::path& path, bool /*followLinks*/) {
        return {TargetKind::kNone, path};
    }
    // Opens a device, FIFO or socket (or a descriptor's name such as /dev/stdout) for writing
    // as it is; returns a handle >= 0 for Write and Close, or -1.
    virtual int OpenStream(const std::filesystem::path& /*path*/) { return -1; }
};

// The real file system: POSIX calls, or the Windows API on Windows.
FileOps& SystemFileOps();

// Writes `chunks` to a temporary file beside `target`, flushes it and renames it over
// `target`. On any failure the temporary file is removed, `target` is left as it was and the
// reason says why in the user's words ("permission denied", "no space left on device", ...).
Status WriteFileAtomically(const std::filesystem::path& target,
                           std::span<const std::span<const std::uint8_t>> chunks,
                           FileOps& ops = SystemFileOps());

// A path the user named (--output, a save dialog) is written the way a shell redirection
// would: a symbolic link to a file has that file replaced atomically, and a device, FIFO or
// socket is written as a stream and never turned into a regular file. Files the program names
// itself go through WriteFileAtomically, which replaces a link itself and leaves its target
// alone. Both refuse a read-only file ("read-only: ...") and leave it as it is.
Status WriteNamedFile(const std::filesystem::path& target,
                      std::span<const std::span<const std::uint8_t>> chunks,
                      FileOps& ops = SystemFileOps());

// The same as WriteFileAtomically, except that a `target` already holding exactly these bytes is
// left alone, its modification time included, so that whatever is built from it is not built again.
struct WriteResult {
    Status status = Status::Ok();
    bool unchanged = false;
};
WriteResult WriteFileIfChanged(const std::filesystem::path& target,
                               std::span<const std::span<const std::uint8_t>> chunks,
                               FileOps& ops = SystemFileOps());

// Removes the temporary files that writes of `fileNames` into `folder` left behind when their
// process was killed: only names this writer makes, and only when the process that made one is
// gone, so a write running at the same time keeps its file.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                               std::span<const std::string> fileNames);

// The running process's number, and whether a process of that number still runs; they mark
// whose a temporary file is.
std::uint64_t CurrentProcessId();
bool ProcessIsRunning(std::uint64_t processId);

// A failed write's reason in the user's words.
std::string WriteFailureReason(std::error_code error);

}  // namespace orvandel
