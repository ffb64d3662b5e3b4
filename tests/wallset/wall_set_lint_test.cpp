#include "core/wallset/wall_set_lint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/wallset/profile_reader.h"
#include "support/temp_folder.h"

namespace orvandel {
namespace {

struct LintCase {
    const char* what;
    std::string text;
    // "line: start of the warning", in order; line 0 for the file as a whole.
    std::vector<std::pair<int, std::string>> warnings;
};

const std::vector<LintCase> kLintCases = {
    {"a clean file", "; stone set\r\n[BMP]\r\n0084 = a.bmp\r\n\r\n0089=\"f.bmp\"\r\n", {}},
    {"other sections and their keys are not our business",
     "[Editor]\nzoom=3\n[BMP]\n0084=a.bmp\n",
     {}},
    {"the garbage that passed silently",
     "garbage\n[BMP\n0084\n",
     {{1, "neither a section"},
      {2, "neither a section"},
      {3, "neither a section"},
      {0, "no [BMP] section"}}},
    {"an empty file has no [BMP] section", "", {{0, "no [BMP] section"}}},
    {"section names match in any case, behind a byte-order mark",
     "\xEF\xBB\xBF[bmp]\n0084=a.bmp\n",
     {}},
    {"a key outside 0084-0089",
     "[BMP]\n0084=a.bmp\n84=b.bmp\n0090=c.bmp\n",
     {{3, "key \"84\" in [BMP] is not one of"}, {4, "key \"0090\" in [BMP] is not one of"}}},
    {"a value without a key", "[BMP]\n=a.bmp\n", {{2, "neither a section"}}},
    {"a repeated key: the first is read",
     "[BMP]\n0084=a.bmp\n0085=b.bmp\n0084=c.bmp\n",
     {{4, "key 0084 appears again; the value on line 2 is the one used"}}},
    {"a second [BMP] section is never read, its keys are not repeats",
     "[BMP]\n0084=a.bmp\n[Other]\n[ BMP ]\n0084=c.bmp\n",
     {{4, "section [BMP] appears again and is ignored; the one on line 1"}}},
    {"lines end at CR alone too", "[BMP]\r0084=a.bmp\rjunk\r", {{3, "neither a section"}}},
    {"a value the reader cuts names another file",
     "[BMP]\n0084=" + std::string(2048, 'a') + "\n0085=" + std::string(2047, 'b') + "\n",
     {{2, "the value of 0084 is 2048 characters long; only the first 2047 are read"}}},
    {"a quoted line is shown in its code page and escaped",
     "[BMP]\nW\xe4nde \x1b[2J\n",
     {{2,
       "neither a section, a key=value line nor a comment, so it is ignored: "
       "\"W\xc3\xa4nde \\x1b[2J\""}}},
};

TEST(WallSetLint, WarnsAboutWhatTheReaderPassesOverSilently) {
    for (const LintCase& c : kLintCases) {
        const std::vector<LintWarning> warnings = LintWallSetText(c.text);
        ASSERT_EQ(warnings.size(), c.warnings.size()) << c.what;
        for (std::size_t k = 0; k < warnings.size(); ++k) {
            EXPECT_EQ(warnings[k].line, c.warnings[k].first) << c.what;
            EXPECT_EQ(warnings[k].text.rfind(c.warnings[k].second, 0), 0u)
                << c.what << ": " << warnings[k].text;
        }
    }
}

// A file of nothing but junk costs what a short one does: the findings are counted, not kept.
TEST(WallSetLint, FindingsAreBoundedWhateverTheFileHolds) {
    std::string text = "[BMP]\n";
    for (int k = 0; k < 100000; ++k) {
        text += "x\n";
    }
    const std::vector<LintWarning> warnings = LintWallSetText(text);
    ASSERT_EQ(warnings.size(), kMaxLintWarnings + 1);
    EXPECT_EQ(warnings.back().text,
              "\u2026 and " + std::to_string(100000 - kMaxLintWarnings) + " more");

    testing::TempFolder folder;
    testing::WriteFileText(folder / "huge.Pelorim",
                           "[BMP]\n" + std::string(kMaxProfileFileSize, ';'));
    const std::vector<LintWarning> cut = LintWallSetFile(folder / "huge.Pelorim");
    ASSERT_FALSE(cut.empty());
    EXPECT_EQ(cut.back().text, "larger than the 16384 KB that are read; the rest is ignored");
}

TEST(WallSetLint, TheReaderUsesWhatTheLintSaysItUses) {
    const char* text = "[BMP]\n0084=first.bmp\n0084=second.bmp\n[BMP]\n0085=other.bmp\n";
    EXPECT_EQ(ReadProfileString(text, "BMP", "0084", "default"), "first.bmp");
    EXPECT_EQ(ReadProfileString(text, "BMP", "0085", "default"), "default");
}

TEST(WallSetLint, NoFileMeansNoWarnings) {
    EXPECT_TRUE(LintWallSetFile({}).empty());
    testing::TempFolder folder;
    EXPECT_TRUE(LintWallSetFile(folder / "missing.Pelorim").empty());
    testing::WriteFileText(folder / "set.Pelorim", "[BMP]\n0084=a.bmp\n0084=b.bmp\n");
    ASSERT_EQ(LintWallSetFile(folder / "set.Pelorim").size(), 1u);
}

}  // namespace
}  // namespace orvandel
