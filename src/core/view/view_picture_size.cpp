#include "core/view/view_picture_size.h"

#include <algorithm>

#include "core/image/dib_scaling.h"

namespace orvandel {

ViewPictureSize FitViewportIn(int box) {
    if (box >= kViewportWidth) {
        // The viewport is wider than high, so its width decides what fits a square.
        return ViewPictureAtScale(box / kViewportWidth);
    }
    if (box < 1) {
        return ViewPictureAtScale(1);
    }
    const int height = (kViewportHeight * box + kViewportWidth / 2) / kViewportWidth;
    return ViewPictureSize{0, box, std::max(height, 1)};
}

ViewPictureSize ViewPictureAtScale(int scale) {
    const int whole = std::clamp(scale, 1, kMaxEnlargedEdge / kViewportWidth);
    return ViewPictureSize{whole, kViewportWidth * whole, kViewportHeight * whole};
}

ViewPictureSize ViewPictureAsShown(const ViewportLayout& layout) {
    return ViewPictureAtScale(layout.scale);
}

std::vector<int> OfferedSaveScales(const ViewportLayout& layout) {
    const int shown = ViewPictureAsShown(layout).scale;
    if (shown > 1) {
        return {1, shown};
    }
    return {1};
}

std::unique_ptr<CPaletteDib> ScaleViewPicture(const CPaletteDib& viewport,
                                              const ViewPictureSize& size) {
    if (size.scale >= 1) {
        return EnlargeDib(viewport, size.scale);
    }
    return ReduceDibSmoothly(viewport, size.width, size.height);
}

}  // namespace orvandel
