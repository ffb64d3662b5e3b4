#pragma once

#include <array>

#include "core/report/rgb_canvas.h"
#include "core/report/wall_set_report.h"
#include "core/wallset/wall_set.h"

namespace orvandel {

// Where a picture's pixel (0, 0) lies on the sheet; each picture pixel is scale x scale.
struct SheetPlacement {
    int left = 0;
    int top = 0;
    int scale = 1;
    int width = 0;  // of the area shown, in picture pixels: the picture and its needed size
    int height = 0;
};

inline constexpr int kOverlaySheetScale = 2;

std::array<SheetPlacement, 6> OverlaySheetPlacements(const WallSetReport& report,
                                                     int scale = kOverlaySheetScale);

// The six pictures side by side, each under its key and name, as the game will colour them:
// approximated pixels and see-through approximations in their mark colours, and the part of
// each piece's source area that a picture lacks hatched. A legend says which is which.
RgbCanvas ComposeOverlaySheet(const WallSet& wallSet, const WallSetReport& report,
                              int scale = kOverlaySheetScale);

}  // namespace orvandel
