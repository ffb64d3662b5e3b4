#include "desk/form_template.h"

#include <gtest/gtest.h>

namespace orvandel {
namespace {

Rect Sized(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

TEST(FormTemplate, DialogUnitsFollowTheFontAndRoundHalfUp) {
    // The classic 8-point dialog font: 6 x 13 pixels per character.
    const DialogBase classic{6, 13};
    EXPECT_EQ(FormRectInPixels(classic), Sized(0, 0, 792, 434));
    // 60 * 6 / 4 = 90, 194 * 13 / 8 = 315.25, 67 * 6 / 4 = 100.5 -> 101, 20 * 13 / 8 = 32.5 -> 33
    EXPECT_EQ(DialogToPixels(TemplateRect(FormControl::TurnLeft), classic),
              Sized(90, 315, 101, 33));
    EXPECT_EQ(DialogToPixels({7, 7, 320, 183}, {7, 16}), Sized(12, 14, 560, 366));
    // 52 letters 312 pixels wide: 6 per character.
    EXPECT_EQ(DialogBaseOf(312, 13).charWidth, 6);
    EXPECT_EQ(DialogBaseOf(337, 13).charWidth, 6);
    EXPECT_EQ(DialogBaseOf(338, 13).charWidth, 7);
}

TEST(FormTemplate, AtTemplateSizeEveryControlSitsWhereTheTemplatePutsIt) {
    const DialogBase base{7, 16};
    for (const TemplateEntry& entry : kFormTemplate) {
        const FormControl control = entry.control;
        EXPECT_EQ(PlaceControl(control, base, 0, 0), DialogToPixels(entry.rect, base))
            << "control " << IndexOf(control);
        // A form smaller than the template never squeezes a control.
        EXPECT_EQ(PlaceControl(control, base, -50, -20), PlaceControl(control, base, 0, 0));
    }
}

TEST(FormTemplate, ExtraSpaceGoesToPreviewAndMapWithoutOverlap) {
    const DialogBase base{6, 13};
    const Rect preview = PlaceControl(FormControl::Preview, base, 509, 200);
    const Rect map = PlaceControl(FormControl::Map, base, 509, 200);
    const Rect previewBefore = PlaceControl(FormControl::Preview, base, 0, 0);
    const Rect mapBefore = PlaceControl(FormControl::Map, base, 0, 0);

    // All extra width is shared out, in the template's 320 : 189 proportion.
    EXPECT_EQ(preview.width() - previewBefore.width(), 320);
    EXPECT_EQ(map.width() - mapBefore.width(), 189);
    EXPECT_EQ(preview.height() - previewBefore.height(), 200);
    EXPECT_EQ(map.height() - mapBefore.height(), 200);
    EXPECT_EQ(map.left - preview.right, mapBefore.left - previewBefore.right);

    // The controls below stay below, those to the right stay right of the preview.
    for (const FormControl below : {FormControl::TurnLeft, FormControl::MoveRight,
                                    FormControl::EvenOdd, FormControl::Position}) {
        EXPECT_GE(PlaceControl(below, base, 509, 200).top, preview.bottom);
    }
    for (const FormControl right :
         {FormControl::Reload, FormControl::Export, FormControl::MapNote}) {
        const Rect rect = PlaceControl(right, base, 509, 200);
        EXPECT_GE(rect.left, preview.right);
        EXPECT_GE(rect.top, map.bottom);
    }
    EXPECT_GE(PlaceControl(FormControl::Export, base, 509, 200).top,
              PlaceControl(FormControl::Reload, base, 509, 200).bottom);
}

}  // namespace
}  // namespace orvandel
