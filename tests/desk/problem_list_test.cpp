#include "desk/problem_list.h"

#include <gtest/gtest.h>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"
#include "support/test_wall_set.h"

namespace orvandel {
namespace {

TEST(ProblemList, OneEntryPerProblemWithTheArtistsNameThePathTheFiguresAndARemedy) {
    testing::TempFolder home;
    testing::WriteTestWallSet(home.path());
    const Palette16 palette = testing::TestPalette();
    testing::WriteFileBytes(home / "short.bmp",
                            testing::MakeBmp(40, 100, 24, std::vector<Colour>(4000, palette[3])));
    std::vector<Colour> front(256 * 136, palette[4]);
    std::fill_n(front.begin(), 78, palette[10] ^ 0x1u);
    std::fill_n(front.begin() + 100, 5, 0x123456u);
    testing::WriteFileBytes(home / "front.bmp", testing::MakeBmp(256, 136, 24, front));
    testing::WriteFileText(home / "set.Pelorim",
                           "[BMP]\n0084=short.bmp\n0086=front.bmp\n0087=gone.png\n0098=x.bmp\n");
    WallSetSession session(home.path());
    ASSERT_TRUE(session.Open("set.Pelorim").ok());
    session.Load();

    const std::vector<ProblemEntry> entries = LoadProblems(session, false);
    std::vector<std::string> texts;
    for (const ProblemEntry& entry : entries) {
        texts.push_back(entry.Text());
    }
    ASSERT_EQ(entries.size(), 4u) << ::testing::PrintToString(texts);
    EXPECT_EQ(entries[0].kind, ProblemKind::PictureFailed);
    EXPECT_EQ(entries[0].slot, 3);
    EXPECT_EQ(entries[0].file, "gone.png");
    EXPECT_EQ(entries[0].path, PathToUtf8(home / "gone.png"));
    EXPECT_EQ(texts[0].rfind("0087 \"gone.png\" (" + PathToUtf8(home / "gone.png") +
                                 "): did not load: missing file",
                             0),
              0u)
        << texts[0];

    EXPECT_EQ(entries[1].kind, ProblemKind::PictureTooSmall);
    EXPECT_EQ(entries[1].what, "too small: 40 x 100, its pieces need 32 x 136");
    EXPECT_EQ(entries[1].remedy, "enlarge it to at least 32 x 136 pixels");

    EXPECT_EQ(entries[2].kind, ProblemKind::Approximated);
    EXPECT_EQ(entries[2].slot, 2);
    EXPECT_EQ(entries[2].what,
              "83 pixels approximated in 2 colours not in the palette, 78 became see-through");

    EXPECT_EQ(entries[3].kind, ProblemKind::WallSetFileLine);
    EXPECT_EQ(entries[3].line, 5);
    EXPECT_NE(texts[3].find("set.Pelorim:5"), std::string::npos) << texts[3];
    EXPECT_NE(texts[3].find("0098"), std::string::npos) << texts[3];
}

TEST(ProblemList, NothingWrongGivesNoEntriesAndTheAllIsWellText) {
    testing::TempFolder home;
    testing::WriteTestWallSet(home.path());
    WallSetSession session(home.path());
    session.Load();
    EXPECT_TRUE(LoadProblems(session, false).empty());
    EXPECT_FALSE(AllIsWellText().empty());

    // A palette that fails while a good one is still shown says so; otherwise it says why
    // nothing shows.
    testing::WriteFileText(home / "wallpalette.pal", "no palette\n");
    session.LiveReload();
    const std::vector<ProblemEntry> kept = LoadProblems(session, true);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].kind, ProblemKind::PaletteFailed);
    EXPECT_NE(kept[0].what.find(messages::kShowsLastGoodColours), std::string::npos);
    EXPECT_NE(LoadProblems(session, false)[0].what.find(messages::kViewWithoutPalette),
              std::string::npos);
}

}  // namespace
}  // namespace orvandel
