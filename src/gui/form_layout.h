#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <array>

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
};
inline constexpr int kFormControlCount = 13;

// A rectangle in dialog units: left, top, width, height.
struct DialogRect {
    int left, top, width, height;
};

// The template places the form 528 x 267 dialog units large.
inline constexpr DialogRect kFormDialogRect = {0, 0, 528, 267};
// clang-format off
inline constexpr std::array<DialogRect, kFormControlCount> kFormTemplate = {{
    { 60, 194,  67,  20},  // Turn left
    {136, 194,  67,  20},  // Move forward
    {212, 194,  67,  20},  // Turn right
    { 60, 220,  67,  20},  // Move left
    {136, 220,  67,  20},  // Move back
    {212, 220,  67,  20},  // Move right
    { 60, 246, 105,  10},  // Even/odd check box
    {349, 183, 172,  22},  // Reload
    {349, 211, 172,  22},  // Export
    {  7,   7, 320, 183},  // Preview
    {332,   7, 189, 153},  // Map
    {336, 164, 185,   8},  // "* Click the above tile ..."
    {  7, 198,  41,   8},  // Position read-out
}};
// clang-format on

// Dialog units are a quarter of the font's average character width across and an eighth of its
// height down.
struct DialogBase {
    int charWidth = 0;
    int charHeight = 0;
};

DialogBase DialogBaseOf(const QFont& font);
QRect DialogToPixels(const DialogRect& rect, const DialogBase& base);
QSize FormSizeInPixels(const DialogBase& base);

// Where a control goes when the form is `extra` pixels larger than the template. The preview and
// the map share the extra width in the template's proportion and both take the extra height;
// everything below them moves down, everything right of the preview moves right.
QRect PlaceControl(FormControl control, const DialogBase& base, QSize extra);

}  // namespace orvandel
