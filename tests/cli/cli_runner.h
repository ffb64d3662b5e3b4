#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/image/palette16.h"

namespace orvandel::testing {

struct CliResult {
    int status = -1;  // the exit status; 124 when the run had to be stopped
    std::string out;
    std::string err;
};

// Runs the built orvandel-cli in `folder` with `arguments`, stopping it after a generous time
// so that a hang fails the test instead of blocking the suite.
CliResult RunCli(const std::filesystem::path& folder, const std::vector<std::string>& arguments);

// The picture sizes that cover every piece drawn from each slot.
struct PictureSize {
    int width;
    int height;
};
inline constexpr PictureSize kFullSizes[6] = {{32, 136}, {32, 136}, {256, 111},
                                              {136, 71}, {117, 51}, {16, 49}};

// Writes wallpalette.pal (TestPalette) and six 8-bit pictures under the default names, each of
// size `sizes[k]`, with a pattern of palette colours that includes the transparent index.
void WriteWallSet(const std::filesystem::path& folder, const PictureSize* sizes = kFullSizes);
std::filesystem::path DefaultPicturePath(const std::filesystem::path& folder, int slot);
std::vector<unsigned char> MakePatternBmp(int width, int height, int seed);

std::string ReadText(const std::filesystem::path& file);
std::vector<std::string> FilesIn(const std::filesystem::path& folder);

}  // namespace orvandel::testing
