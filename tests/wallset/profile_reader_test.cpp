#include "core/wallset/profile_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace orvandel {
namespace {

using testing::TempFolder;
using testing::WriteFileText;

std::string Lookup(std::string_view text, std::string_view key = "0084") {
    return ReadProfileString(text, "BMP", key, "default");
}

TEST(ProfileReader, FindsKeyInSectionAndIgnoresOtherSections) {
    const std::string text =
        "[Other]\n0084=wrong.bmp\n[BMP]\n0084=walls\\a.bmp\n0086=b.bmp\n[More]\n0085=c.bmp\n";
    EXPECT_EQ(Lookup(text), "walls\\a.bmp");
    EXPECT_EQ(Lookup(text, "0086"), "b.bmp");
    EXPECT_EQ(Lookup(text, "0085"), "default");  // lives in another section
    EXPECT_EQ(Lookup(text, "84"), "default");    // keys are text, not numbers
}

TEST(ProfileReader, MissingSectionKeyOrTextGivesDefault) {
    EXPECT_EQ(Lookup(""), "default");
    EXPECT_EQ(Lookup("0084=before.bmp\n"), "default");  // no section at all
    EXPECT_EQ(Lookup("[BMPX]\n0084=a.bmp\n"), "default");
    EXPECT_EQ(Lookup("[BMP]\n0084=a.bmp\n", ""), "default");
}

TEST(ProfileReader, NamesMatchInAnyCaseWithBlanksTrimmed) {
    EXPECT_EQ(Lookup("[bmp]\n0084=a.bmp\n"), "a.bmp");
    EXPECT_EQ(ReadProfileString("[ BmP ]\n\t KeY \t= \t a b.bmp \t\n", "BMP", "key", "d"),
              "a b.bmp");
    EXPECT_EQ(Lookup("  [BMP]\n   0084   =   x.bmp\n"), "x.bmp");
}

TEST(ProfileReader, OnePairOfMatchingQuotesIsRemoved) {
    EXPECT_EQ(Lookup("[BMP]\n0084=\"a b.bmp\"\n"), "a b.bmp");
    EXPECT_EQ(Lookup("[BMP]\n0084=  'a.bmp'  \n"), "a.bmp");
    EXPECT_EQ(Lookup("[BMP]\n0084=\"a.bmp'\n"), "\"a.bmp'");        // not a matching pair
    EXPECT_EQ(Lookup("[BMP]\n0084=\"\"a.bmp\"\"\n"), "\"a.bmp\"");  // only one pair
    EXPECT_EQ(Lookup("[BMP]\n0084=\"\n"), "\"");                    // a lone quote stays
    EXPECT_EQ(Lookup("[BMP]\n0084=\"\"\n"), "");
}

TEST(ProfileReader, CommentsAndLinesWithoutEqualsAreIgnored) {
    const std::string text =
        "; a comment\n[BMP]\n;0084=commented.bmp\n  ; 0084=also.bmp\njunk line\n0084=real.bmp\n";
    EXPECT_EQ(Lookup(text), "real.bmp");
    // A ';' later in a value is part of it.
    EXPECT_EQ(Lookup("[BMP]\n0084=a.bmp ; note\n"), "a.bmp ; note");
}

TEST(ProfileReader, EmptyValueIsEmptyNotDefault) {
    EXPECT_EQ(Lookup("[BMP]\n0084=\n"), "");
    EXPECT_EQ(Lookup("[BMP]\n0084 =   \n"), "");
    EXPECT_EQ(Lookup("[BMP]\n0084="), "");
}

TEST(ProfileReader, AcceptsEveryLineEndAndBom) {
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        const std::string text = "[BMP]" + eol + "0085=x.bmp" + eol + "0084=a.bmp" + eol;
        EXPECT_EQ(Lookup(text), "a.bmp") << "line end of size " << eol.size();
        EXPECT_EQ(Lookup("\xEF\xBB\xBF" + text), "a.bmp");
    }
    EXPECT_EQ(Lookup("[BMP]\r\n0084=a.bmp\r\n"), "a.bmp");  // no stray '\r' in the value
    // A BOM elsewhere is not skipped.
    EXPECT_EQ(Lookup("\n\xEF\xBB\xBF[BMP]\n0084=a.bmp\n"), "default");
}

TEST(ProfileReader, FirstSectionAndFirstKeyWin) {
    EXPECT_EQ(Lookup("[BMP]\n0084=first.bmp\n0084=second.bmp\n"), "first.bmp");
    EXPECT_EQ(Lookup("[BMP]\n0084=first.bmp\n[bmp]\n0084=second.bmp\n"), "first.bmp");
    // Only the first section of a name is searched.
    EXPECT_EQ(Lookup("[BMP]\n0085=x\n[BMP]\n0084=later.bmp\n"), "default");
}

TEST(ProfileReader, LongValuesAreCut) {
    std::string value(3000, 'v');
    value[2046] = 'L';
    value[2047] = 'X';
    const std::string result = Lookup("[BMP]\n0084=" + value + "\n");
    ASSERT_EQ(result.size(), kMaxSettingLength);
    EXPECT_EQ(result.back(), 'L');
    EXPECT_EQ(Lookup("[BMP]\n0084=" + std::string(2047, 'w')), std::string(2047, 'w'));
}

TEST(ProfileReader, SurvivesJunk) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) {
        junk += static_cast<char>((i * 131) & 0xFF);
    }
    EXPECT_EQ(Lookup(junk), "default");
    EXPECT_EQ(Lookup(junk + "\n[BMP]\n0084=a.bmp\n"), "a.bmp");
    // A NUL inside a value ends it, as it would end a C string.
    EXPECT_EQ(Lookup(std::string("[BMP]\n0084=ab\0cd\n", 17)), "ab");
    EXPECT_EQ(Lookup(std::string("[BMP]\n\0\n0084=a.bmp\n", 19)), "a.bmp");
    EXPECT_EQ(Lookup("[BMP\n0084=a.bmp\n"), "default");  // not a header, not in a section
    EXPECT_EQ(Lookup("[" + std::string(1 << 20, 'x')), "default");
    EXPECT_EQ(Lookup("[]\n[BMP]]\n0084=a\n"), "default");  // section name "BMP]"
}

TEST(ProfileReaderFile, MissingEmptyOrUnreadableFileGivesDefault) {
    TempFolder folder;
    EXPECT_EQ(ReadProfileStringFromFile({}, "BMP", "0084", "d"), "d");
    EXPECT_EQ(ReadProfileStringFromFile(folder / "absent.Pelorim", "BMP", "0084", "d"), "d");
    EXPECT_EQ(ReadProfileStringFromFile(folder.path(), "BMP", "0084", "d"), "d");
    WriteFileText(folder / "empty.Pelorim", "");
    EXPECT_EQ(ReadProfileStringFromFile(folder / "empty.Pelorim", "BMP", "0084", "d"), "d");
}

TEST(ProfileReaderFile, ReadsFromDisk) {
    TempFolder folder;
    WriteFileText(folder / "set.Pelorim", "\xEF\xBB\xBF[BMP]\r\n0084=walls\\a.bmp\r\n");
    EXPECT_EQ(ReadProfileStringFromFile(folder / "set.Pelorim", "BMP", "0084", "d"),
              "walls\\a.bmp");
}

}  // namespace
}  // namespace orvandel
