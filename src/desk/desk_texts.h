#pragma once

#include <string_view>

// The desktop programs' own words: menu captions with their & mnemonics, which Qt and Win32
// read alike. Beside the core's texts and in their namespace, so a caption reads the same as a
// message where it is used.
namespace orvandel::messages {

inline constexpr std::string_view kReloadAutomatically = "Reload automatically";
inline constexpr std::string_view kLoadTestMap = "Load test map\u2026";
inline constexpr std::string_view kSaveTestMap = "Save test map\u2026";
inline constexpr std::string_view kResetTestMap = "Reset test map";

// The preview's context menu and the dialog of its "Save view as".
inline constexpr std::string_view kCopyViewAction = "&Copy view";
inline constexpr std::string_view kSaveViewAction = "&Save view as\u2026";
inline constexpr std::string_view kSaveViewTitle = "Save view as";

}  // namespace orvandel::messages
