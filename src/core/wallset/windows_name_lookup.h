#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvandel {

// Finds a picture name from a wall-set file the way Windows, where such files are written,
// would: '\' separates folders and each component matches in any letter case (ASCII). Relative
// names start at `base`. Nothing when no such file exists.
//
// On Windows the file system already works this way, so there the name as written was the
// whole search and this finds nothing more.
std::optional<std::filesystem::path> FindWindowsName(const std::string& name,
                                                     const std::filesystem::path& base);

}  // namespace orvandel
