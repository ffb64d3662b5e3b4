#pragma once

#include "core/common/geometry.h"

namespace orvandel {

// Where the viewport is shown in a client area: the largest whole scale that fits, centred.
// Scale 0 (a client under 224 x 136) gives an empty rectangle at the centre.
struct ViewportLayout {
    Rect rect;
    int scale = 0;
};

ViewportLayout LayoutViewport(int clientWidth, int clientHeight);

}  // namespace orvandel
