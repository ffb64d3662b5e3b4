#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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

// Where a file of a wall set (a picture or the palette) was found, or looked for in vain.
struct WallSetFileLocation {
    std::filesystem::path path;  // the file found; when none was, what ResolvePictureName gives
    bool found = false;
    std::vector<std::string> searched;  // the folders a relative name was looked for in
};

// A relative name missing from the home folder is looked for beside the open wall-set file
// (`besideFolder`; empty when no file is open), so a set double-clicked or dropped from another
// folder still finds its pictures. The home folder always comes first: whatever resolves there
// today resolves there still.
WallSetFileLocation LocateWallSetFile(const std::string& name,
                                      const std::filesystem::path& homeFolder,
                                      const std::filesystem::path& besideFolder);

}  // namespace orvandel
