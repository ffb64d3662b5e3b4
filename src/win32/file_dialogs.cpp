#include "win32/file_dialogs.h"

// commdlg.h needs the types windows.h declares.
#include <commdlg.h>

#include "win32/wide_text.h"

namespace orvandel::win32 {
namespace {

constexpr DWORD kPathCapacity = 32768;

std::optional<FileChoice> Ask(HWND owner, std::string_view title, std::string_view filters,
                              std::string_view defaultExtension, bool save) {
    const std::wstring filter = DialogFilter(filters);
    const std::wstring caption = WideFromUtf8(title);
    const std::wstring extension = WideFromUtf8(defaultExtension);
    std::vector<wchar_t> file(kPathCapacity, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kPathCapacity;
    dialog.lpstrTitle = caption.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                   (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen) {
        return std::nullopt;
    }
    return FileChoice{std::filesystem::path(file.data()),
                      static_cast<int>(dialog.nFilterIndex) - 1};
}

}  // namespace

std::wstring DialogFilter(std::string_view filters) {
    std::wstring list;
    while (!filters.empty()) {
        const std::size_t end = filters.find(";;");
        const std::string_view entry = filters.substr(0, end);
        filters = end == std::string_view::npos ? std::string_view() : filters.substr(end + 2);
        const std::size_t open = entry.rfind('(');
        const std::size_t close = entry.rfind(')');
        std::string patterns = "*.*";
        if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
            patterns = std::string(entry.substr(open + 1, close - open - 1));
            for (char& c : patterns) {
                c = c == ' ' ? ';' : c;
            }
            if (patterns == "*") {
                patterns = "*.*";
            }
        }
        list += WideFromUtf8(entry);
        list += L'\0';
        list += WideFromUtf8(patterns);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

std::optional<FileChoice> AskOpenFile(HWND owner, std::string_view title,
                                      std::string_view filters) {
    return Ask(owner, title, filters, {}, false);
}

std::optional<FileChoice> AskSaveFile(HWND owner, std::string_view title, std::string_view filters,
                                      std::string_view defaultExtension) {
    return Ask(owner, title, filters, defaultExtension, true);
}

}  // namespace orvandel::win32
