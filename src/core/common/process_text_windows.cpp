#include "core/common/process_text.h"

#include <windows.h>
// shellapi.h needs the types windows.h declares.
#include <shellapi.h>

namespace orvandel {
namespace {

std::string Utf8Of(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();  // the terminating zero
    return utf8;
}

}  // namespace

std::vector<std::string> ProgramArgumentsAsUtf8(int argc, const char* const* argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    // The wide command line is split by the same rules as argv; should it ever disagree,
    // the narrow arguments are still better than none.
    if (wide == nullptr || count != argc) {
        if (wide != nullptr) {
            ::LocalFree(wide);
        }
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        arguments.push_back(Utf8Of(wide[i]));
    }
    ::LocalFree(wide);
    return arguments;
}

void ShowUtf8OnConsole() {
    ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace orvandel
