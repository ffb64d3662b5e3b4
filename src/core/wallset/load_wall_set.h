#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/wallset/picture_path.h"
#include "core/wallset/wall_set.h"
#include "core/wallset/wallset_document.h"

namespace orvandel {

// How a load treats the wall set it replaces.
enum class LoadMode {
    kFresh,         // every slot is emptied first; a picture that fails leaves its slot empty
    kKeepLastGood,  // a file that fails keeps what its slot (or the palette) held before
};

struct FailedPicture {
    int slot = 0;
    std::string name;  // exactly as the wall-set file (or the default) gives it
    std::string reason;
    bool missing = false;  // no file by that name (or no name at all), rather than a bad one
};

// What a load did, for the caller to show.
struct LoadReport {
    bool paletteLoaded = false;
    std::string paletteReason;
    std::array<std::string, 6> names;     // the picture name of each slot, as text (UTF-8)
    std::array<std::string, 6> rawNames;  // the same byte for byte as the file holds it
    // Where the palette and each picture were found, or looked for in vain (path empty for an
    // empty name): what a build must watch to know when to load again.
    WallSetFileLocation paletteFile;
    std::array<WallSetFileLocation, 6> pictureFiles;
    std::vector<FailedPicture> failedPictures;  // in slot order
    // When the palette failed, the pictures are still decoded so that their own problems are
    // reported in the same run; this is what each decode found (its slot stays empty).
    std::array<PictureLoadInfo, 6> decodedWithoutPalette;

    bool ok() const { return paletteLoaded && failedPictures.empty(); }
    // The one message box text of this load, if any (palette failure, or the failed list).
    std::optional<std::string> Message() const;
    // One line per failed file with its reason ("name: reason"); a picture with an empty name
    // is shown by its key ("key 0087: empty file name").
    std::vector<std::string> DetailLines() const;
};

// Empties all seven slots, reads wallpalette.pal from the home folder, then the six pictures.
// The palette changes only when it was read; a picture that fails leaves its slot empty. When
// the palette fails, every slot stays empty, but each picture is still read and decoded so
// that its own failure is listed.
// Names resolve against `homeFolder` (the current folder when it is empty), and beside the
// document's file when they are not there (LocateWallSetFile); the process's current folder is
// never changed. With kKeepLastGood nothing is emptied: a palette that fails leaves every slot
// as it was, and a picture that fails keeps its slot's previous picture.
LoadReport LoadWallSet(WallSet& wallSet, const WallSetDocument& document,
                       const std::filesystem::path& homeFolder, LoadMode mode = LoadMode::kFresh);

}  // namespace orvandel
