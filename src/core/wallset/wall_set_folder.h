#pragma once

#include <filesystem>
#include <optional>

namespace orvandel {

// The one wall-set file (".Pelorim" in any letter case) directly in `folder`; empty when the
// folder holds none, several, or cannot be read, since then there is no obvious choice.
std::optional<std::filesystem::path> SingleWallSetFileIn(const std::filesystem::path& folder);

}  // namespace orvandel
