#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/common/status.h"
#include "core/image/file_ops.h"
#include "core/image/palette16.h"

namespace orvandel {

// The 16 colours a file offers as a wall palette: a palette file's (RIFF, JASC-PAL, GIMP), or
// the first 16 entries of an indexed picture's colour table.
struct PaletteOfFile {
    std::optional<Palette16> palette;
    std::string reason;    // why there is none
    bool picture = false;  // the colours came from a picture's colour table
};

PaletteOfFile ReadPaletteOfFile(const std::filesystem::path& fileName);

// A RIFF palette as the wall set reads it: version 0x0300, 16 entries, flags 0.
std::vector<std::uint8_t> RiffPaletteBytes(const Palette16& palette);
// Writes it to a name the user chose (WriteNamedFile): the target is either the old file or
// the whole new one; the reason says why not.
Status WriteRiffPalette(const std::filesystem::path& target, const Palette16& palette,
                        FileOps& ops = SystemFileOps());

}  // namespace orvandel
