#include "core/common/display_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvandel {
namespace {

// What a name or line could do to a terminal if shown raw, and how it is shown instead.
TEST(DisplayText, NothingFromOutsideCanSteerTheTerminal) {
    struct Case {
        std::string in;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"Wall \xc3\xa4 \xe5\xa3\x81.bmp", "Wall \xc3\xa4 \xe5\xa3\x81.bmp"},  // kept as it is
        {"\x1b[31mred\x07", "\\x1b[31mred\\x07"},
        {"folder\nSummary: 0 file(s) failed", "folder\\nSummary: 0 file(s) failed"},
        {"a\rb\tc\x08\x7f", "a\\rb\\tc\\x08\\x7f"},
        {"W\xe4nde", "W\\xe4nde"},                                // not UTF-8: the byte, escaped
        {"\xc0\xaf \xed\xa0\x80", "\\xc0\\xaf \\xed\\xa0\\x80"},  // overlong, surrogate
        {"abc\xe2\x80\xaegnp.exe", "abc\\u202egnp.exe"},          // right-to-left override
        {"\xc2\x9b"
         "2J",
         "\\u009b2J"},                               // C1 control sequence introducer
        {"walls\\right0.bmp", "walls\\right0.bmp"},  // backslashes stay readable
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DisplayText(c.in), c.shown) << c.in;
        EXPECT_EQ(DisplayText(c.shown), c.shown) << "shown twice: " << c.in;
    }
}

// A .Pelorim file saved by a Windows program holds its names in the code page.
TEST(DisplayText, WallSetBytesThatAreNotUtf8AreReadAsWindows1252) {
    EXPECT_EQ(TextFromWallSetBytes("W\xe4nde.bmp"), "W\xc3\xa4nde.bmp");
    EXPECT_EQ(TextFromWallSetBytes("Mauer \x80.bmp"), "Mauer \xe2\x82\xac.bmp");
    EXPECT_EQ(TextFromWallSetBytes("W\xc3\xa4nde.bmp"), "W\xc3\xa4nde.bmp");  // already UTF-8
    EXPECT_TRUE(IsValidUtf8(TextFromWallSetBytes("\x81\x8d\x8f\x90\x9d\xff")));
}

}  // namespace
}  // namespace orvandel
