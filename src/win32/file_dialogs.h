#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel::win32 {

// The common dialogs' filter list from the program's "Name (*.a *.b);;Other (*)" texts: each
// name, then its patterns separated by ';', each ending in a zero, the list in another zero.
std::wstring DialogFilter(std::string_view filters);

struct FileChoice {
    std::filesystem::path file;
    int filterIndex = 0;  // 0-based, of the filter the user picked
};

// The system's open and save dialogs, owned by `owner`; nothing when cancelled. The save
// dialog adds `defaultExtension` (without the dot) to a name that has none.
std::optional<FileChoice> AskOpenFile(HWND owner, std::string_view title, std::string_view filters);
std::optional<FileChoice> AskSaveFile(HWND owner, std::string_view title, std::string_view filters,
                                      std::string_view defaultExtension);

}  // namespace orvandel::win32
