#include "win32/file_dialogs.h"

// commdlg.h needs the types windows.h declares.
#include <commdlg.h>

#include "win32/wide_text.h"

namespace orvandel::win32 {
namespace {

constexpr DWORD kPathCapacity = 32768;

std::string PatternOf(const FileFilter& filter) {
    return filter.pattern == "*" ? "*.*" : filter.pattern;
}

// "txt" of "*.txt"; nothing for "*".
std::wstring ExtensionOf(const FileFilter& filter) {
    const std::size_t dot = filter.pattern.rfind("*.");
    if (dot == std::string::npos || filter.pattern.find('*', dot + 1) != std::string::npos) {
        return {};
    }
    return WideFromUtf8(filter.pattern.substr(dot + 2));
}

std::optional<FileChoice> Ask(HWND owner, const FileQuestion& question, bool save) {
    const std::wstring filter = DialogFilter(question.filters);
    const std::wstring title = WideFromUtf8(question.title);
    const std::wstring extension =
        question.filters.empty() ? std::wstring() : ExtensionOf(question.filters.front());
    std::vector<wchar_t> file(kPathCapacity, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kPathCapacity;
    dialog.lpstrTitle = title.c_str();
    // With a default extension the dialog adds the picked filter's own to a bare name.
    dialog.lpstrDefExt = save && !extension.empty() ? extension.c_str() : nullptr;
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                   (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen) {
        return std::nullopt;
    }
    return FileChoice{std::filesystem::path(file.data()),
                      dialog.nFilterIndex > 0 ? dialog.nFilterIndex - 1 : 0};
}

}  // namespace

std::wstring DialogFilter(const std::vector<FileFilter>& filters) {
    std::wstring list;
    for (const FileFilter& filter : filters) {
        list += WideFromUtf8(filter.description + " (" + filter.pattern + ")");
        list += L'\0';
        list += WideFromUtf8(PatternOf(filter));
        list += L'\0';
    }
    list += L'\0';
    return list;
}

std::optional<FileChoice> AskOpenFile(HWND owner, const FileQuestion& question) {
    return Ask(owner, question, false);
}

std::optional<FileChoice> AskSaveFile(HWND owner, const FileQuestion& question) {
    return Ask(owner, question, true);
}

}  // namespace orvandel::win32
