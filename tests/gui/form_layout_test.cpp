#include <gtest/gtest.h>

#include "gui/form_layout.h"

namespace orvandel {
namespace {

TEST(FormLayoutTest, DialogUnitsFollowTheFontAndRoundHalfUp) {
    // The classic 8-point dialog font: 6 x 13 pixels per character.
    const DialogBase classic{6, 13};
    EXPECT_EQ(FormSizeInPixels(classic), QSize(792, 434));
    // 60 * 6 / 4 = 90, 194 * 13 / 8 = 315.25, 67 * 6 / 4 = 100.5 -> 101, 20 * 13 / 8 = 32.5 -> 33
    EXPECT_EQ(DialogToPixels(TemplateRect(FormControl::TurnLeft), classic),
              QRect(90, 315, 101, 33));
    EXPECT_EQ(DialogToPixels({7, 7, 320, 183}, {7, 16}), QRect(12, 14, 560, 366));
}

TEST(FormLayoutTest, AtTemplateSizeEveryControlSitsWhereTheTemplatePutsIt) {
    const DialogBase base{7, 16};
    for (const TemplateEntry& entry : kFormTemplate) {
        const FormControl control = entry.control;
        EXPECT_EQ(PlaceControl(control, base, QSize(0, 0)), DialogToPixels(entry.rect, base))
            << "control " << IndexOf(control);
        // A form smaller than the template never squeezes a control.
        EXPECT_EQ(PlaceControl(control, base, QSize(-50, -20)),
                  PlaceControl(control, base, QSize(0, 0)));
    }
}

TEST(FormLayoutTest, ExtraSpaceGoesToPreviewAndMapWithoutOverlap) {
    const DialogBase base{6, 13};
    const QSize extra(509, 200);
    const QRect preview = PlaceControl(FormControl::Preview, base, extra);
    const QRect map = PlaceControl(FormControl::Map, base, extra);
    const QRect previewBefore = PlaceControl(FormControl::Preview, base, {});
    const QRect mapBefore = PlaceControl(FormControl::Map, base, {});

    // All extra width is shared out, in the template's 320 : 189 proportion.
    EXPECT_EQ(preview.width() - previewBefore.width() + map.width() - mapBefore.width(), 509);
    EXPECT_EQ(preview.width() - previewBefore.width(), 320);
    EXPECT_EQ(preview.height() - previewBefore.height(), 200);
    EXPECT_EQ(map.height() - mapBefore.height(), 200);
    EXPECT_EQ(map.left() - preview.right(), mapBefore.left() - previewBefore.right());

    // The controls below stay below, those to the right stay right of the preview.
    for (const FormControl below : {FormControl::TurnLeft, FormControl::MoveRight,
                                    FormControl::EvenOdd, FormControl::Position}) {
        EXPECT_GT(PlaceControl(below, base, extra).top(), preview.bottom());
    }
    for (const FormControl right :
         {FormControl::Reload, FormControl::Export, FormControl::MapNote}) {
        const QRect rect = PlaceControl(right, base, extra);
        EXPECT_GT(rect.left(), preview.right());
        EXPECT_GT(rect.top(), map.bottom());
    }
    EXPECT_GT(PlaceControl(FormControl::Export, base, extra).top(),
              PlaceControl(FormControl::Reload, base, extra).bottom());
}

}  // namespace
}  // namespace orvandel
