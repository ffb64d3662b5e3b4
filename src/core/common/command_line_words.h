#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

// Splits a Windows command line (as GetCommandLineW gives it) into its words: blanks separate
// words outside double quotes, and the first word, the program, ends at the first blank
// outside quotes. Unlike the C runtime's rules, a backslash is always itself and a double quote
// only ever groups: no argument of ours can hold a double quote (Windows names cannot), and
// cmd's completion writes a folder as "C:\Mein Set\", whose last backslash the C runtime would
// take as escaping the closing quote.
std::vector<std::wstring> SplitWindowsCommandLine(std::wstring_view line);

}  // namespace orvandel
