#pragma once

#include <memory>
#include <vector>

#include "core/image/palette_dib.h"
#include "core/view/viewport_layout.h"
#include "core/view/viewport_size.h"

namespace orvandel {

// The size a picture of the view is written at. A whole `scale` of 1 or more enlarges every
// viewport pixel to an exact block; scale 0 means a smooth reduction to width x height.
struct ViewPictureSize {
    int scale = 1;
    int width = kViewportWidth;
    int height = kViewportHeight;
    friend bool operator==(const ViewPictureSize&, const ViewPictureSize&) = default;
};

// The largest whole scale whose picture fits a `box` x `box` square, or, for a box narrower
// than the viewport, the viewport reduced to the box's width with its proportions kept.
// A box under 1 pixel gives the 1x picture.
ViewPictureSize FitViewportIn(int box);

// The picture at a whole scale; scales under 1 (a preview too small to show the view) give 1x.
ViewPictureSize ViewPictureAtScale(int scale);

// The scale the preview currently shows the view at, as a picture of it should be taken.
ViewPictureSize ViewPictureAsShown(const ViewportLayout& layout);

// The scales "Save view as" offers: 1x, and the preview's own scale when that is larger.
std::vector<int> OfferedSaveScales(const ViewportLayout& layout);

// The viewport at that size: indexed for whole scales, 24-bit for reductions. Nothing when the
// viewport has no pixels or the size cannot be made.
std::unique_ptr<CPaletteDib> ScaleViewPicture(const CPaletteDib& viewport,
                                              const ViewPictureSize& size);

}  // namespace orvandel
