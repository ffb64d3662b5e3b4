#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/command_line_words.h"

namespace orvandel {
namespace {

TEST(SplitWindowsCommandLine, QuotesOnlyGroupAndBackslashesStayThemselves) {
    struct Case {
        std::wstring line;
        std::vector<std::wstring> words;
    };
    const std::vector<Case> cases = {
        {L"orvandel-cli.exe check", {L"orvandel-cli.exe", L"check"}},
        {L"  \"C:\\Program Files\\o.exe\"\tcheck  ", {L"C:\\Program Files\\o.exe", L"check"}},
        // cmd's completion of a folder: the last backslash before the closing quote is the
        // folder's, and the words after it stay words of their own.
        {L"o.exe check --home \"C:\\Art\\Mein Set\\\" walls.Pelorim",
         {L"o.exe", L"check", L"--home", L"C:\\Art\\Mein Set\\", L"walls.Pelorim"}},
        {L"o.exe --home \"C:\\Art\\Mein Set\\\"", {L"o.exe", L"--home", L"C:\\Art\\Mein Set\\"}},
        {L"o.exe \\\\server\\share\\ \"\"", {L"o.exe", L"\\\\server\\share\\", L""}},
        {L"o.exe a\"b c\"d", {L"o.exe", L"ab cd"}},
        {L"o.exe Z\u00fc\"rich 壁\"", {L"o.exe", L"Z\u00fcrich 壁"}},
        {L"", {}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(SplitWindowsCommandLine(cases[i].line), cases[i].words) << "case " << i;
    }
}

}  // namespace
}  // namespace orvandel
