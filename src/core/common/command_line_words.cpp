#include "core/common/command_line_words.h"

namespace orvandel {

std::vector<std::wstring> SplitWindowsCommandLine(std::wstring_view line) {
    std::vector<std::wstring> words;
    std::wstring word;
    bool inWord = false;
    bool quoted = false;
    for (const wchar_t c : line) {
        if (c == L'"') {
            quoted = !quoted;
            inWord = true;  // "" is an empty argument
        } else if ((c == L' ' || c == L'\t') && !quoted) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else {
            word.push_back(c);
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace orvandel
