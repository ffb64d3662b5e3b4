#include "cli_runner.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

#include "core/wallset/wallset_keys.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace orvandel::testing {

namespace fs = std::filesystem;

namespace {

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

}  // namespace

std::string ReadText(const fs::path& file) {
    const std::vector<unsigned char> bytes = ReadFileBytes(file);
    return {bytes.begin(), bytes.end()};
}

CliResult RunCli(const fs::path& folder, const std::vector<std::string>& arguments) {
    // Captured output lives in a folder of its own so it never shows up among exported files.
    static const TempFolder captureFolder;
    const fs::path outFile = captureFolder / "stdout.txt";
    const fs::path errFile = captureFolder / "stderr.txt";
    std::string command =
        "cd " + ShellQuoted(folder.string()) + " && timeout 60 " + ShellQuoted(ORVANDEL_CLI_PATH);
    for (const std::string& argument : arguments) {
        command += " " + ShellQuoted(argument);
    }
    command += " >" + ShellQuoted(outFile.string()) + " 2>" + ShellQuoted(errFile.string());
    const int raw = std::system(command.c_str());
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadText(outFile);
    result.err = ReadText(errFile);
    return result;
}

std::vector<unsigned char> MakePatternBmp(int width, int height, int seed) {
    const Palette16 palette = TestPalette();
    std::vector<Colour> table(palette.colours().begin(), palette.colours().end());
    std::vector<Colour> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(palette[(x * 7 + y * 3 + seed) % 16]);
        }
    }
    return MakeBmp(width, height, 8, pixels, table);
}

fs::path DefaultPicturePath(const fs::path& folder, int slot) {
    return folder / kWallSetKeys[static_cast<std::size_t>(slot)].defaultName;
}

void WriteWallSet(const fs::path& folder, const PictureSize* sizes) {
    const Palette16 palette = TestPalette();
    WriteFileBytes(folder / kPaletteFileName,
                   MakeRiffPalette({palette.colours().begin(), palette.colours().end()}));
    for (int slot = 0; slot < 6; ++slot) {
        WriteFileBytes(DefaultPicturePath(folder, slot),
                       MakePatternBmp(sizes[slot].width, sizes[slot].height, slot));
    }
}

std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace orvandel::testing
