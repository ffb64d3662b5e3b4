#include "win32/folder_watcher.h"

#include <algorithm>
#include <system_error>

namespace orvandel::win32 {

FolderWatcher::~FolderWatcher() {
    Stop();
}

void FolderWatcher::Stop() {
    for (HANDLE handle : m_handles) {
        ::FindCloseChangeNotification(handle);
    }
    m_handles.clear();
}

void FolderWatcher::Watch(const std::vector<std::filesystem::path>& folders) {
    Stop();
    constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                               FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;
    std::vector<std::filesystem::path> unique;
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        const std::filesystem::path canonical = std::filesystem::weakly_canonical(folder, error);
        const std::filesystem::path& key = error ? folder : canonical;
        if (std::find(unique.begin(), unique.end(), key) == unique.end()) {
            unique.push_back(key);
        }
    }
    for (const std::filesystem::path& folder : unique) {
        if (m_handles.size() >= MAXIMUM_WAIT_OBJECTS - 1) {
            break;
        }
        HANDLE handle = ::FindFirstChangeNotificationW(folder.c_str(), FALSE, kChanges);
        if (handle != INVALID_HANDLE_VALUE) {
            m_handles.push_back(handle);
        }
    }
}

void FolderWatcher::Signalled(std::size_t index) {
    if (index >= m_handles.size()) {
        return;
    }
    // A folder that was deleted cannot be watched any longer; the next Watch takes it up again
    // if it comes back.
    if (!::FindNextChangeNotification(m_handles[index])) {
        ::FindCloseChangeNotification(m_handles[index]);
        m_handles.erase(m_handles.begin() + static_cast<std::ptrdiff_t>(index));
    }
    if (onChange) {
        onChange();
    }
}

}  // namespace orvandel::win32
