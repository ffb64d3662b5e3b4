#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "desk/desk_messages.h"

namespace orvandel::win32 {

// The common dialogs' filter list: each "Description (pattern)", then its pattern ("*" is
// "*.*" here), each ending in a zero, the list in another zero.
std::wstring DialogFilter(const std::vector<FileFilter>& filters);

struct FileChoice {
    std::filesystem::path file;
    std::size_t filter = 0;  // of the filter the user picked
};

// The system's open and save dialogs, owned by `owner`; nothing when cancelled. The save
// dialog asks before replacing a file and adds the picked filter's extension to a bare name.
std::optional<FileChoice> AskOpenFile(HWND owner, const FileQuestion& question);
std::optional<FileChoice> AskSaveFile(HWND owner, const FileQuestion& question);

}  // namespace orvandel::win32
