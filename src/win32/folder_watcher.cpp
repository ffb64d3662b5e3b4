#include "win32/folder_watcher.h"

#include <algorithm>

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
    m_folders.clear();
    for (const std::filesystem::path& folder : folders) {
        if (std::find(m_folders.begin(), m_folders.end(), folder) == m_folders.end()) {
            m_folders.push_back(folder);
        }
    }
    Arm();
}

void FolderWatcher::Arm() {
    Stop();
    constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                               FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;
    for (const std::filesystem::path& folder : m_folders) {
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
    // A folder that was deleted cannot be watched any longer: every folder is taken up again,
    // so one that has come back, or appeared, is watched from now on.
    if (!::FindNextChangeNotification(m_handles[index])) {
        Arm();
    }
    if (onChange) {
        onChange();
    }
}

}  // namespace orvandel::win32
