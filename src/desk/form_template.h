#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "core/common/geometry.h"

namespace orvandel {

// The main form's controls, in the template's order, which is also the Tab order.
enum class FormControl {
    TurnLeft,
    MoveForward,
    TurnRight,
    MoveLeft,
    MoveBack,
    MoveRight,
    EvenOdd,
    Reload,
    Export,
    Preview,
    Map,
    MapNote,
    Position,
    Count,  // not a control: how many there are
};
inline constexpr std::size_t kFormControlCount = static_cast<std::size_t>(FormControl::Count);

constexpr std::size_t IndexOf(FormControl control) {
    return static_cast<std::size_t>(control);
}

// A rectangle in dialog units: left, top, width, height.
struct DialogRect {
    int left, top, width, height;
};

// The template places the form 528 x 267 dialog units large.
inline constexpr DialogRect kFormDialogRect = {0, 0, 528, 267};
struct TemplateEntry {
    FormControl control;
    DialogRect rect;
};

// clang-format off
inline constexpr std::array<TemplateEntry, kFormControlCount> kFormTemplate = {{
    {FormControl::TurnLeft,    { 60, 194,  67,  20}},
    {FormControl::MoveForward, {136, 194,  67,  20}},
    {FormControl::TurnRight,   {212, 194,  67,  20}},
    {FormControl::MoveLeft,    { 60, 220,  67,  20}},
    {FormControl::MoveBack,    {136, 220,  67,  20}},
    {FormControl::MoveRight,   {212, 220,  67,  20}},
    {FormControl::EvenOdd,     { 60, 246, 105,  10}},
    {FormControl::Reload,      {349, 183, 172,  22}},
    {FormControl::Export,      {349, 211, 172,  22}},
    {FormControl::Preview,     {  7,   7, 320, 183}},
    {FormControl::Map,         {332,   7, 189, 153}},
    {FormControl::MapNote,     {336, 164, 185,   8}},  // "* Click the above tile ..."
    {FormControl::Position,    {  7, 198,  41,   8}},  // position read-out
}};
// clang-format on

// Each entry sits at its control's own index, so a lookup by identity cannot pick a neighbour's
// rectangle; an entry left out or put out of order stops the build.
constexpr bool TemplateMatchesControls() {
    for (std::size_t i = 0; i < kFormTemplate.size(); ++i) {
        if (IndexOf(kFormTemplate[i].control) != i) {
            return false;
        }
    }
    return true;
}
static_assert(TemplateMatchesControls(), "kFormTemplate must list every FormControl in order");

constexpr const DialogRect& TemplateRect(FormControl control) {
    return kFormTemplate[IndexOf(control)].rect;
}

// The clickable controls in Tab order.
inline constexpr std::array<FormControl, 9> kTabOrder = {
    FormControl::TurnLeft, FormControl::MoveForward, FormControl::TurnRight,
    FormControl::MoveLeft, FormControl::MoveBack,    FormControl::MoveRight,
    FormControl::EvenOdd,  FormControl::Reload,      FormControl::Export,
};

// The text a control shows: a button's caption, the map's note, the read-out's "---"; empty
// for the preview and the map, which paint themselves.
std::string_view ControlCaption(FormControl control);

// Dialog units are a quarter of the font's average character width across and an eighth of its
// height down. The front-end measures its font; the arithmetic is the same everywhere.
struct DialogBase {
    int charWidth = 0;
    int charHeight = 0;
};

// Average character width from the width of "A".."Z" "a".."z" in the font, rounded.
DialogBase DialogBaseOf(int alphabetWidth, int lineHeight);
// In pixels: right and bottom exclusive.
Rect DialogToPixels(const DialogRect& rect, const DialogBase& base);
Rect FormRectInPixels(const DialogBase& base);

// Where a control goes when the form is `extraWidth` x `extraHeight` pixels larger than the
// template. The preview and the map share the extra width in the template's proportion and both
// take the extra height; everything below them moves down, everything right of the preview moves
// right.
Rect PlaceControl(FormControl control, const DialogBase& base, int extraWidth, int extraHeight);

// The problems panel sits below the form, across the window, this many text lines high at
// least; it never covers the preview.
inline constexpr int kProblemsPanelLines = 5;
// The status line below it shows this many text lines, enough for the inspector's longest
// answer at the form's width; the whole text is also its tooltip.
inline constexpr int kStatusLines = 2;

}  // namespace orvandel
