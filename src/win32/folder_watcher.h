#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <vector>

namespace orvandel::win32 {

// Change notifications on the folders a wall set is read from. Painting programs save by
// writing a new file and renaming it over the old one, so the folder is watched, not the file.
// The handles are waited on by the program's message loop, next to its messages: no thread.
class FolderWatcher {
public:
    FolderWatcher() = default;
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;
    ~FolderWatcher();

    // Watches exactly these folders from now on (those that exist); an empty list stops.
    void Watch(const std::vector<std::filesystem::path>& folders);
    void Stop();

    // The handles to wait on, at most MAXIMUM_WAIT_OBJECTS - 1 so that messages fit too.
    const std::vector<HANDLE>& handles() const { return m_handles; }
    // The loop saw handle `index` signalled: re-arms it (a folder deleted or renamed away is
    // looked for again, with all the others) and tells onChange.
    void Signalled(std::size_t index);

    std::function<void()> onChange;

private:
    void Arm();

    std::vector<std::filesystem::path> m_folders;
    std::vector<HANDLE> m_handles;
};

}  // namespace orvandel::win32
