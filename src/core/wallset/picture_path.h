#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvandel {

// Where a picture name from a wall-set file (UTF-8 text) points. Relative names resolve against the
// home folder (the current folder when home is empty). Wall sets are written on Windows: when the
// name does not exist as written, '\' is read as a separator and each component is matched
// in any letter case (ASCII), inside the home folder for relative names and from the root for
// absolute ones. When nothing matches, the name as written (made absolute) comes back, so the
// load reports the file as missing. An empty name gives an empty path.
std::filesystem::path ResolvePictureName(const std::string& name,
                                         const std::filesystem::path& homeFolder);

// For a name that resolves to no file: an entry of the folder it points into whose name differs
// only in letter case, blanks or extension ("0084 wall.BMP" for "0084wall.png"), written the
// way the wall-set file would name it. None when there is no such entry.
std::optional<std::string> SimilarPictureName(const std::string& name,
                                              const std::filesystem::path& homeFolder);

// For a name that resolves to no file: an entry of the folder it points into whose name differs
// only in letter case, blanks or extension ("0084 wall.BMP" for "0084wall.png"), written the
// way the wall-set file would name it. None when there is no such entry.
std::optional<std::string> SimilarPictureName(const std::string& name,
                                              const std::string& homeFolder);

}  // namespace orvandel
