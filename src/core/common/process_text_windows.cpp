#include "core/common/process_text.h"

#include <windows.h>

#include "core/common/command_line_words.h"

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
    const wchar_t* line = ::GetCommandLineW();
    if (line == nullptr) {
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    for (const std::wstring& word : SplitWindowsCommandLine(line)) {
        arguments.push_back(Utf8Of(word.c_str()));
    }
    return arguments;
}

void ShowUtf8OnConsole() {
    ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace orvandel
