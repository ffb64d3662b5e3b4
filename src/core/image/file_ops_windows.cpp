#include "core/image/file_ops.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <system_error>
#include <thread>

namespace orvandel {
namespace {

// The failed call's error, per thread like errno: the writer asks for it right after the call.
thread_local DWORD t_lastError = ERROR_SUCCESS;

// The writer passes around C runtime descriptors that wrap Windows handles, so that the
// interface is the same on both systems.
HANDLE NativeHandle(int handle) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(handle));
}

bool IsReadOnly(const std::filesystem::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The portable codes the writer words its reasons from. A file another program holds open is
// "busy", which it words as in use.
std::error_code PortableError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return std::make_error_code(std::errc::no_such_file_or_directory);
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return std::make_error_code(std::errc::permission_denied);
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return std::make_error_code(std::errc::device_or_resource_busy);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return std::make_error_code(std::errc::no_space_on_device);
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return std::make_error_code(std::errc::file_exists);
        default:
            return {static_cast<int>(error), std::system_category()};
    }
}

// Windows refuses to rename over a file another program holds open with "access denied", as it
// does for a file nobody may change; asking for delete access tells the two apart.
bool IsInUse(const std::filesystem::path& path) {
    const HANDLE probe =
        ::CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        return ::GetLastError() == ERROR_SHARING_VIOLATION;
    }
    ::CloseHandle(probe);
    return false;
}

bool IsHeldOpen(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

class WindowsFileOps final : public FileOps {
public:
    int CreateTemporary(const std::filesystem::path& path) override {
        // Shared with nobody: no other program should open a half-written file.
        const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            t_lastError = ::GetLastError();
            return -1;
        }
        const int handle =
            ::_open_osfhandle(reinterpret_cast<std::intptr_t>(file), _O_WRONLY | _O_BINARY);
        if (handle < 0) {
            t_lastError = ERROR_TOO_MANY_OPEN_FILES;
            ::CloseHandle(file);
        }
        return handle;
    }

    bool Write(int handle, std::span<const std::uint8_t> bytes) override {
        const HANDLE file = NativeHandle(handle);
        while (!bytes.empty()) {
            const auto wanted =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size(), std::size_t{1} << 30));
            DWORD written = 0;
            if (!::WriteFile(file, bytes.data(), wanted, &written, nullptr) || written == 0) {
                t_lastError = ::GetLastError();
                return false;
            }
            bytes = bytes.subspan(written);
        }
        return true;
    }

    bool Flush(int handle) override { return Succeeded(::FlushFileBuffers(NativeHandle(handle))); }

    // Closes the Windows handle along with the descriptor.
    bool Close(int handle) override {
        if (::_close(handle) == 0) {
            return true;
        }
        t_lastError = ERROR_WRITE_FAULT;
        return false;
    }

    // A read-only target, or one a painting program keeps open, stays as it is and the write
    // fails. Windows refuses to replace a read-only file by itself, but not every file system
    // (nor Wine) does, so it is asked first. A virus scanner or the search indexer often holds
    // a picture open for a moment after it was written; such a hold is waited out briefly.
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (IsReadOnly(to)) {
            t_lastError = ERROR_ACCESS_DENIED;
            return false;
        }
        constexpr int kAttempts = 10;
        for (int attempt = 1;; ++attempt) {
            if (::MoveFileExW(from.c_str(), to.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                return true;
            }
            t_lastError = ::GetLastError();
            if (attempt == kAttempts || !IsHeldOpen(t_lastError)) {
                if (t_lastError == ERROR_ACCESS_DENIED && IsInUse(to)) {
                    t_lastError = ERROR_SHARING_VIOLATION;
                }
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    void Remove(const std::filesystem::path& path) override { ::DeleteFileW(path.c_str()); }

    // Nothing to copy: the new file inherits the folder's access rules as the old one did.

    std::error_code LastError() const override { return PortableError(t_lastError); }

    // Devices (NUL, CON, COM1, and "nul.bmp", which Windows also reads as NUL) and pipes are
    // told apart from files by the handle the name opens, not by a list of names.
    Target InspectTarget(const std::filesystem::path& path, bool followLinks) override {
        const DWORD flags =
            FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
        const HANDLE probe =
            ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, flags, nullptr);
        if (probe == INVALID_HANDLE_VALUE) {
            return {TargetKind::kNone, path};
        }
        const DWORD type = ::GetFileType(probe);
        BY_HANDLE_FILE_INFORMATION info{};
        const bool described = type == FILE_TYPE_DISK && ::GetFileInformationByHandle(probe, &info);
        ::CloseHandle(probe);
        if (type != FILE_TYPE_DISK) {
            return {TargetKind::kStream, path};
        }
        if (described && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return {TargetKind::kFolder, path};
        }
        if (described && (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
            return {TargetKind::kReadOnly, path};
        }
        return {TargetKind::kRegular, path};
    }

    int OpenStream(const std::filesystem::path& path) override {
        const HANDLE stream =
            ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (stream == INVALID_HANDLE_VALUE) {
            t_lastError = ::GetLastError();
            return -1;
        }
        const int handle =
            ::_open_osfhandle(reinterpret_cast<std::intptr_t>(stream), _O_WRONLY | _O_BINARY);
        if (handle < 0) {
            t_lastError = ERROR_TOO_MANY_OPEN_FILES;
            ::CloseHandle(stream);
        }
        return handle;
    }

private:
    static bool Succeeded(BOOL result) {
        if (!result) {
            t_lastError = ::GetLastError();
        }
        return result != 0;
    }
};

}  // namespace

std::uint64_t CurrentProcessId() {
    return ::GetCurrentProcessId();
}

bool ProcessIsRunning(std::uint64_t processId) {
    if (processId == 0 || processId > 0xFFFFFFFFu) {
        return false;
    }
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
    if (process == nullptr) {
        // Denied: it runs, under another user.
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}

FileOps& SystemFileOps() {
    static WindowsFileOps ops;
    return ops;
}

}  // namespace orvandel
