// The Windows side of ReadableFile: opening by the wide name, the type check and positioned
// reads, all through the Windows API.
#include "core/common/file_reader.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "core/common/message_texts.h"

namespace orvandel {
namespace {

// The system's own wording of an error, without the trailing full stop and line break.
std::string SystemReason(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason;
    if (length > 0 && text != nullptr) {
        const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr,
                                               0, nullptr, nullptr);
        reason.resize(static_cast<std::size_t>(std::max(size, 0)));
        ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), reason.data(), size,
                              nullptr, nullptr);
    }
    if (text != nullptr) {
        ::LocalFree(text);
    }
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == '.' || reason.back() == ' ')) {
        reason.pop_back();
    }
    if (reason.empty()) {
        reason = messages::SystemErrorCode(error);
    }
    return messages::CannotBeRead(reason);
}

HANDLE NativeHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

ReadableFile ReadableFile::Open(const std::filesystem::path& path) {
    ReadableFile file;
    if (path.empty()) {
        file.m_reason = messages::kMissingFile;
        return file;
    }
    // Shared for writing and deleting, so that reading a picture never stops the painting
    // program from saving it. Backup semantics let a folder open too, so that it can be
    // told apart from a file nobody may read.
    const HANDLE handle = ::CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        file.m_reason = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                            ? std::string(messages::kMissingFile)
                            : SystemReason(error);
        return file;
    }
    // Devices (NUL, CON, COM1 in any folder) and pipes are not disk files; reading the
    // console would wait for a key press.
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        file.m_reason = messages::kNotARegularFile;
        ::CloseHandle(handle);
        return file;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) {
        file.m_reason = SystemReason(::GetLastError());
        ::CloseHandle(handle);
        return file;
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        file.m_reason = messages::kIsAFolder;
        ::CloseHandle(handle);
        return file;
    }
    file.m_handle = reinterpret_cast<Handle>(handle);
    file.m_size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    return file;
}

std::optional<std::size_t> ReadableFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (!IsOpen()) {
        return std::nullopt;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const std::uint64_t at = offset + done;
        OVERLAPPED position{};
        position.Offset = static_cast<DWORD>(at & 0xFFFFFFFFu);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        const auto wanted =
            static_cast<DWORD>(std::min<std::size_t>(out.size() - done, std::size_t{1} << 30));
        DWORD got = 0;
        if (!::ReadFile(NativeHandle(m_handle), out.data() + done, wanted, &got, &position)) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_HANDLE_EOF) {
                break;
            }
            m_reason = SystemReason(error);
            return std::nullopt;
        }
        if (got == 0) {
            break;  // the file ended early: it shrank since it was opened
        }
        done += got;
    }
    return done;
}

void ReadableFile::Close() {
    if (IsOpen()) {
        ::CloseHandle(NativeHandle(m_handle));
        m_handle = kNoHandle;
    }
}

}  // namespace orvandel
