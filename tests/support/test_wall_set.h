#pragma once

#include <filesystem>

#include "core/image/palette16.h"

namespace orvandel::testing {

// Writes wallpalette.pal and the six pictures under their default names: patterned, big enough
// for every piece, some as 8-bit indexed and some as 24-bit BMPs.
void WriteTestWallSet(const std::filesystem::path& folder);

// Picture k of the test wall set: its default file name.
std::filesystem::path TestPicturePath(const std::filesystem::path& folder, int slot);

}  // namespace orvandel::testing
