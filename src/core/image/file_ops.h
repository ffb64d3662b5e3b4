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
};

// The real file system: POSIX calls, or the Windows API on Windows.
FileOps& SystemFileOps();

// Writes `chunks` to a temporary file beside `target`, flushes it and renames it over
// `target`. On any failure the temporary file is removed, `target` is left as it was and the
// reason says why in the user's words ("permission denied", "no space left on device", ...).
Status WriteFileAtomically(const std::filesystem::path& target,
                           std::span<const std::span<const std::uint8_t>> chunks,
                           FileOps& ops = SystemFileOps());

// The same, except that a `target` already holding exactly these bytes is left alone, its
// modification time included, so that whatever is built from it is not built again.
struct WriteResult {
    Status status = Status::Ok();
    bool unchanged = false;
};
WriteResult WriteFileIfChanged(const std::filesystem::path& target,
                               std::span<const std::span<const std::uint8_t>> chunks,
                               FileOps& ops = SystemFileOps());

// A failed write's reason in the user's words.
std::string WriteFailureReason(std::error_code error);

}  // namespace orvandel
