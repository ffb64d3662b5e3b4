#pragma once

#include <filesystem>

namespace orvandel {

// Where a name given by the user points: relative names are taken from `base` (the folder the
// program started in), and the result is tidied so that "dir/", "dir" and "./dir" are one
// folder. Used for every name from a command line or a drop, so they all resolve alike.
std::filesystem::path AbsolutePathFrom(const std::filesystem::path& base,
                                       const std::filesystem::path& name);

}  // namespace orvandel
