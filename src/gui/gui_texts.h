#pragma once

#include <string>
#include <string_view>

#include "core/common/ascii.h"
#include "desk/desk_texts.h"

// Qt's own syntax around the desktop programs' words: its file-dialog filters.
namespace orvandel::messages {

// "PNG picture at 3x (*.png)"
inline std::string SaveViewFilter(std::string_view format, int scale) {
    return std::string(format) + " picture at " + std::to_string(scale) + "x (*." +
           AsciiLowerCase(format) + ")";
}

}  // namespace orvandel::messages
