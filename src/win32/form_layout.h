#pragma once

#include <windows.h>

#include <array>

namespace orvandel::win32 {

// A control's place in the form template, in dialog units: left, top, width, height.
struct TemplatePlace {
    int id;
    RECT units;  // left, top, right, bottom
};

// The template's size in dialog units, and the problems panel the program adds below it.
inline constexpr RECT kFormUnits = {0, 0, 528, 267};
inline constexpr int kProblemsPanelId = 1013;
inline constexpr RECT kProblemsPanelUnits = {7, 264, 521, 318};
inline constexpr RECT kFormWithPanelUnits = {0, 0, 528, 325};

// Every control of the template, with the rectangle the resource script gives it.
const std::array<TemplatePlace, 13>& FormTemplatePlaces();

// Where a control goes when the form is `extraWidth` x `extraHeight` pixels larger than its
// template: the preview and the map share the extra width in the template's proportion and
// both take the extra height; everything below them moves down, everything right of the
// preview moves right; the problems panel keeps its height and takes the whole extra width.
// `place` is the control's template rectangle in pixels; `previewWidth` and `mapWidth` are the
// template widths of those two, in pixels.
RECT PlaceControl(int id, RECT place, int extraWidth, int extraHeight, int previewWidth,
                  int mapWidth);

}  // namespace orvandel::win32
