#pragma once

namespace orvandel {

// The formats a picture of the view can be written in: the export's own 8-bit BMP layout, or
// PNG of the same pixels where a PNG writer is at hand.
enum class PictureFormat { kBmp, kPng };

}  // namespace orvandel
