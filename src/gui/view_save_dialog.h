#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "core/image/picture_format.h"

class QWidget;

namespace orvandel {

// Where "Save view as..." writes, in which format and at which whole scale.
struct ViewSaveChoice {
    std::filesystem::path file;
    PictureFormat format = PictureFormat::kPng;
    int scale = 1;
};

// Asks where to save the view. The program shows a file dialog; tests answer from a script.
class ViewSaveDialog {
public:
    virtual ~ViewSaveDialog() = default;
    // `scales` are the scales to offer, in order; nothing when the user cancels.
    virtual std::optional<ViewSaveChoice> Ask(QWidget* parent, const std::vector<int>& scales) = 0;
};

// A file dialog whose filters pair each format with each offered scale. A name ending in .png
// or .bmp keeps that format; any other name gets the chosen filter's ending.
class QtViewSaveDialog final : public ViewSaveDialog {
public:
    std::optional<ViewSaveChoice> Ask(QWidget* parent, const std::vector<int>& scales) override;
};

}  // namespace orvandel
