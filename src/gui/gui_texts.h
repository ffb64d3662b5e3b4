#pragma once

#include <string>
#include <string_view>

#include "core/common/ascii.h"

// The desktop program's own words: captions with their & mnemonics and Qt's file-dialog filter
// syntax, beside the core's texts and in their namespace, so a caption reads the same as a
// message where it is used.
namespace orvandel::messages {

inline constexpr std::string_view kReloadAutomatically = "Reload automatically";
inline constexpr std::string_view kLoadTestMap = "Load test map\u2026";
inline constexpr std::string_view kSaveTestMap = "Save test map\u2026";
inline constexpr std::string_view kResetTestMap = "Reset test map";
inline constexpr std::string_view kTestMapFilter = "Test maps (*.txt);;All files (*)";

// The preview's context menu and the dialog of its "Save view as".
inline constexpr std::string_view kCopyViewAction = "&Copy view";
inline constexpr std::string_view kSaveViewAction = "&Save view as\u2026";
inline constexpr std::string_view kSaveViewTitle = "Save view as";

// "PNG picture at 3x (*.png)"
inline std::string SaveViewFilter(std::string_view format, int scale) {
    return std::string(format) + " picture at " + std::to_string(scale) + "x (*." +
           AsciiLowerCase(format) + ")";
}

}  // namespace orvandel::messages
