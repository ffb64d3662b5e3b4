#include "core/view/viewport_layout.h"

#include <algorithm>

#include "core/image/palette_dib.h"
#include "core/view/viewport_size.h"

namespace orvandel {

ViewportLayout LayoutViewport(int clientWidth, int clientHeight) {
    // A client area is never negative; treating one as empty keeps the rectangle well formed.
    const int width = std::max(clientWidth, 0);
    const int height = std::max(clientHeight, 0);
    const int scale = std::min(width / kViewportWidth, height / kViewportHeight);
    const int x0 = width / 2 - (kViewportWidth * scale) / 2;
    const int y0 = height / 2 - (kViewportHeight * scale) / 2;
    return ViewportLayout{Rect{x0, y0, x0 + kViewportWidth * scale, y0 + kViewportHeight * scale},
                          scale};
}

}  // namespace orvandel
