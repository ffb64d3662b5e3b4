#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <vector>

#include "core/report/view_problems.h"
#include "form_fixture.h"
#include "gui/kel_box.h"
#include "gui/problems_panel.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

using testing::FormTest;

// A right-side picture that is too short, and a front picture with one colour that becomes
// see-through: what the artist must be told without asking.
void SpoilWallSet(const std::filesystem::path& home) {
    const Palette16 palette = testing::TestPalette();
    testing::WriteFileBytes(
        testing::TestPicturePath(home, 0),
        testing::MakeBmp(40, 100, 24, std::vector<Colour>(40 * 100, palette[3])));
    std::vector<Colour> front(256 * 136, palette[4]);
    std::fill_n(front.begin(), 78, palette[10] ^ 0x1u);
    testing::WriteFileBytes(testing::TestPicturePath(home, 2),
                            testing::MakeBmp(256, 136, 24, front));
}

TEST_F(FormTest, StatusLineSumsUpTheReloadAndEmptiesWhenMended) {
    EXPECT_TRUE(frame.summaryLabel().text().isEmpty());
    SpoilWallSet(home.path());
    view().control(FormControl::Reload).click();
    EXPECT_EQ(frame.summaryLabel().text(),
              QString::fromUtf8("0086: 78 pixels approximated, 78 became see-through \xc2\xb7 "
                                "0084 too small (40 x 100, needs 32 x 136)"));
    EXPECT_TRUE(messages.shown.empty());  // never a message box

    testing::WriteTestWallSet(home.path());
    view().control(FormControl::Reload).click();
    EXPECT_TRUE(frame.summaryLabel().text().isEmpty());
}

TEST_F(FormTest, ShowProblemsInTheContextMenuHatchesWhatAPictureLacks) {
    SpoilWallSet(home.path());
    view().control(FormControl::Reload).click();
    CKelBox& box = view().previewBox();
    // The preview's context menu is its list of actions.
    ASSERT_EQ(box.contextMenuPolicy(), Qt::ActionsContextMenu);
    QAction* show = nullptr;
    for (QAction* action : box.actions()) {
        if (action->text() == "Show problems") {
            show = action;
        }
    }
    ASSERT_NE(show, nullptr);
    EXPECT_TRUE(show->isCheckable());

    // Below row 100 of the right side at distance 0 the 40 x 100 picture has nothing.
    const ViewportLayout layout = box.DeviceLayout();
    const auto countRed = [&] {
        const QImage shot = box.grab().toImage();
        int red = 0;
        for (int y = 110; y < 136; ++y) {
            for (int x = 192; x < 224; ++x) {
                const QColor c = shot.pixelColor(layout.rect.left + x * layout.scale,
                                                 layout.rect.top + y * layout.scale);
                red += c == QColor(RedOf(kMissingMarkColour), GreenOf(kMissingMarkColour),
                                   BlueOf(kMissingMarkColour))
                           ? 1
                           : 0;
            }
        }
        return red;
    };
    EXPECT_EQ(countRed(), 0);
    show->trigger();
    EXPECT_GT(countRed(), 0);

    // The inspector answers over the same place, and over the floor.
    const auto widgetPoint = [&](int x, int y) {
        return QPoint(
            static_cast<int>((layout.rect.left + x * layout.scale) / box.devicePixelRatioF()),
            static_cast<int>((layout.rect.top + y * layout.scale) / box.devicePixelRatioF()));
    };
    EXPECT_TRUE(box.InspectAt(widgetPoint(200, 120)).contains("[D0R]"))
        << box.InspectAt(widgetPoint(200, 120)).toStdString();
    EXPECT_TRUE(box.InspectAt(widgetPoint(200, 50)).contains("pixel (8, 50)"))
        << box.InspectAt(widgetPoint(200, 50)).toStdString();
}

TEST_F(FormTest, TheProblemsPanelListsCopiesAndMarksWhatIsWrongAndSaysWhenAllIsWell) {
    CProblemsPanel& panel = frame.problemsPanel();
    ASSERT_EQ(panel.count(), 1);
    EXPECT_EQ(panel.item(0)->text().toStdString(), AllIsWellText());
    EXPECT_EQ(panel.accessibleName(), "Problems");

    SpoilWallSet(home.path());
    view().control(FormControl::Reload).click();
    ASSERT_EQ(panel.count(), 2);
    EXPECT_TRUE(panel.item(0)->text().startsWith(QString::fromUtf8("0084 \"")));
    EXPECT_TRUE(panel.item(0)->text().contains("its pieces need 32 x 136"));
    EXPECT_TRUE(panel.item(1)->text().contains("78 became see-through"));
    // Never over the preview.
    const QRect preview(view().previewBox().mapTo(&frame, QPoint(0, 0)),
                        view().previewBox().size());
    EXPECT_FALSE(QRect(panel.mapTo(&frame, QPoint(0, 0)), panel.size()).intersects(preview));

    // Choosing the too-small picture's entry hatches its pieces on the view.
    CKelBox& box = view().previewBox();
    const auto redPixels = [&] {
        const QImage view = box.grab().toImage().copy(box.LogicalViewRect());
        const QColor red(RedOf(kMissingMarkColour), GreenOf(kMissingMarkColour),
                         BlueOf(kMissingMarkColour));
        int count = 0;
        for (int y = 0; y < view.height(); y += 2) {
            for (int x = 0; x < view.width(); x += 2) {
                count += view.pixelColor(x, y) == red ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_EQ(redPixels(), 0);
    panel.setCurrentRow(0);
    EXPECT_GT(redPixels(), 0);

    panel.item(1)->setSelected(true);
    panel.item(0)->setSelected(false);
    QTest::keyClick(&panel, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), panel.item(1)->text());
}

}  // namespace
}  // namespace orvandel
