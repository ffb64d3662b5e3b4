#include "desk/form_template.h"

#include <algorithm>

#include "desk/desk_action.h"

namespace orvandel {
namespace {

// Rounds half away from zero, as dialog-unit conversion always has.
int ScaleRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

Rect Translated(Rect rect, int dx, int dy) {
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

}  // namespace

std::string_view ControlCaption(FormControl control) {
    switch (control) {
        case FormControl::TurnLeft:
            return ActionCaption(DeskAction::TurnLeft);
        case FormControl::MoveForward:
            return ActionCaption(DeskAction::MoveForward);
        case FormControl::TurnRight:
            return ActionCaption(DeskAction::TurnRight);
        case FormControl::MoveLeft:
            return ActionCaption(DeskAction::MoveLeft);
        case FormControl::MoveBack:
            return ActionCaption(DeskAction::MoveBack);
        case FormControl::MoveRight:
            return ActionCaption(DeskAction::MoveRight);
        case FormControl::EvenOdd:
            return ActionCaption(DeskAction::EvenOdd);
        case FormControl::Reload:
            return ActionCaption(DeskAction::Reload);
        case FormControl::Export:
            return ActionCaption(DeskAction::Export);
        case FormControl::MapNote:
            return "* Click the above tile to swap wall and floor.";
        case FormControl::Position:
            return "---";
        case FormControl::Preview:
        case FormControl::Map:
        case FormControl::Count:
            break;
    }
    return {};
}

DialogBase DialogBaseOf(int alphabetWidth, int lineHeight) {
    return {(alphabetWidth + 26) / 52, lineHeight};
}

Rect DialogToPixels(const DialogRect& rect, const DialogBase& base) {
    const int left = ScaleRounded(rect.left, base.charWidth, 4);
    const int top = ScaleRounded(rect.top, base.charHeight, 8);
    return {left, top, left + ScaleRounded(rect.width, base.charWidth, 4),
            top + ScaleRounded(rect.height, base.charHeight, 8)};
}

Rect FormRectInPixels(const DialogBase& base) {
    return DialogToPixels(kFormDialogRect, base);
}

Rect PlaceControl(FormControl control, const DialogBase& base, int extraWidth, int extraHeight) {
    extraWidth = std::max(0, extraWidth);
    extraHeight = std::max(0, extraHeight);
    const DialogRect& preview = TemplateRect(FormControl::Preview);
    const DialogRect& map = TemplateRect(FormControl::Map);
    const int previewGrowth = extraWidth * preview.width / (preview.width + map.width);
    const int mapGrowth = extraWidth - previewGrowth;

    Rect rect = DialogToPixels(TemplateRect(control), base);
    switch (control) {
        case FormControl::Preview:
            rect.right += previewGrowth;
            rect.bottom += extraHeight;
            return rect;
        case FormControl::Map:
            rect = Translated(rect, previewGrowth, 0);
            rect.right += mapGrowth;
            rect.bottom += extraHeight;
            return rect;
        case FormControl::Reload:
        case FormControl::Export:
        case FormControl::MapNote:
            return Translated(rect, previewGrowth, extraHeight);
        default:
            return Translated(rect, 0, extraHeight);
    }
}

}  // namespace orvandel
