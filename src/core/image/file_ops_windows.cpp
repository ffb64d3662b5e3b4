#include "core/image/file_ops.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

namespace orvandel {
namespace {

// The writer passes around C runtime descriptors that wrap Windows handles, so that the
// interface is the same on both systems.
HANDLE NativeHandle(int handle) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(handle));
}

bool IsReadOnly(const std::filesystem::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
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
            return -1;
        }
        const int handle =
            ::_open_osfhandle(reinterpret_cast<std::intptr_t>(file), _O_WRONLY | _O_BINARY);
        if (handle < 0) {
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
                return false;
            }
            bytes = bytes.subspan(written);
        }
        return true;
    }

    bool Flush(int handle) override { return ::FlushFileBuffers(NativeHandle(handle)) != 0; }

    // Closes the Windows handle along with the descriptor.
    bool Close(int handle) override { return ::_close(handle) == 0; }

    // A read-only target, or one a painting program keeps open, stays as it is and the write
    // fails. Windows refuses to replace a read-only file by itself, but not every file system
    // (nor Wine) does, so it is asked first. A virus scanner or the search indexer often holds
    // a picture open for a moment after it was written; such a hold is waited out briefly.
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (IsReadOnly(to)) {
            return false;
        }
        constexpr int kAttempts = 10;
        for (int attempt = 1;; ++attempt) {
            if (::MoveFileExW(from.c_str(), to.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                return true;
            }
            if (attempt == kAttempts || !IsHeldOpen(::GetLastError())) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    void Remove(const std::filesystem::path& path) override { ::DeleteFileW(path.c_str()); }

    std::error_code LastError() const override {
        return {static_cast<int>(::GetLastError()), std::system_category()};
    }

    // Nothing to copy: the new file inherits the folder's access rules as the old one did.
};

}  // namespace

FileOps& SystemFileOps() {
    static WindowsFileOps ops;
    return ops;
}

}  // namespace orvandel
