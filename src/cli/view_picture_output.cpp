#include "cli/view_picture_output.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "cli/optional_formats.h"

namespace orvandel::cli {

std::optional<ViewPictureFormat> ViewPictureFormatFor(const std::filesystem::path& fileName) {
    if (!fileName.has_stem()) {
        return std::nullopt;  // ".bmp" alone names no picture
    }
    std::string ending = fileName.extension().string();
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ending == ".bmp") {
        return ViewPictureFormat::kBmp;
    }
    if (ending == ".png") {
        return ViewPictureFormat::kPng;
    }
    return std::nullopt;
}

Status WriteViewPicture(const CPaletteDib& viewport, const std::filesystem::path& fileName,
                        ViewPictureFormat format) {
    if (format == ViewPictureFormat::kPng) {
        return WriteViewPng(viewport, fileName);
    }
    return viewport.WriteBmpFile(fileName);
}

}  // namespace orvandel::cli
