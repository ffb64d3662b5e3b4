#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace orvandel {

// Wall sets come from Windows, where names match in any letter case. Only ASCII letters fold:
// that is all the game's tools ever folded, and it keeps names in other scripts exact.
constexpr char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldAscii(x) == FoldAscii(y);
           });
}

inline std::string AsciiLowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), FoldAscii);
    return lower;
}

}  // namespace orvandel
