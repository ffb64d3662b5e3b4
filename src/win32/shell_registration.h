#pragma once

#include <string>

#include "core/common/status.h"

namespace orvandel::win32 {

// Where a user's file types live; no administrator rights are needed to change them.
inline constexpr const wchar_t* kUserClasses = L"Software\\Classes";
inline constexpr const wchar_t* kWallSetProgId = L"Orvandel.Document";

// Makes Explorer open .Pelorim files with `program`, which then takes the file's folder as its
// home folder. `classesRoot` is a key under HKEY_CURRENT_USER.
Status RegisterWallSetFileType(const std::wstring& program,
                               const std::wstring& classesRoot = kUserClasses);
// Removes what RegisterWallSetFileType made; a .Pelorim entry that another program has taken
// over since is left alone.
Status UnregisterWallSetFileType(const std::wstring& classesRoot = kUserClasses);

// The open command as Explorer runs it: the program and the file, each quoted.
std::wstring OpenCommand(const std::wstring& program);

}  // namespace orvandel::win32
