#include "core/wallset/load_wall_set.h"

#include <cstddef>

#include "core/common/message_texts.h"
#include "core/wallset/picture_path.h"
#include "core/wallset/wallset_keys.h"

namespace orvandel {

std::optional<std::string> LoadReport::Message() const {
    if (!paletteLoaded) {
        return std::string(messages::kPaletteFailed);
    }
    if (failedPictures.empty()) {
        return std::nullopt;
    }
    std::string list;
    for (const FailedPicture& failed : failedPictures) {
        list += failed.name + "\n";
    }
    return messages::BitmapsFailed(list);
}

std::vector<std::string> LoadReport::DetailLines() const {
    if (!paletteLoaded) {
        return {std::string(kPaletteFileName) + ": " + paletteReason};
    }
    std::vector<std::string> details;
    for (const FailedPicture& failed : failedPictures) {
        // An empty name would make a line that starts with ':'; say which key it came from.
        const std::string label =
            failed.name.empty()
                ? std::string("key ") + kWallSetKeys[static_cast<std::size_t>(failed.slot)].key
                : failed.name;
        details.push_back(label + ": " + failed.reason);
    }
    return details;
}

namespace {

// A file that was not found says where it was looked for.
std::string FailureReason(const Status& status, const WallSetFileLocation& file) {
    return file.found ? status.reason() : messages::LookedIn(status.reason(), file.searched);
}

}  // namespace

LoadReport LoadWallSet(WallSet& wallSet, const WallSetDocument& document,
                       const std::string& homeFolder, LoadMode mode) {
    LoadReport report;
    if (mode == LoadMode::kFresh) {
        // Nothing of the previous wall set survives a load, whether or not this one succeeds.
        // The images keep their memory, though: the next load fills it again.
        for (CIndexedImage& image : wallSet.images) {
            image.Clear();
        }
    }
    const std::filesystem::path besideFolder =
        document.path().empty() ? std::filesystem::path() : document.path().parent_path();

    Palette16 palette = wallSet.palette;
    const WallSetFileLocation paletteFile =
        LocateWallSetFile(kPaletteFileName, homeFolder, besideFolder);
    const Status paletteStatus = palette.ReadPaletteFile(paletteFile.path);
    if (!paletteStatus) {
        report.paletteReason = FailureReason(paletteStatus, paletteFile);
        return report;
    }
    wallSet.palette = palette;
    report.paletteLoaded = true;

    for (std::size_t slot = 0; slot < kWallSetKeys.size(); ++slot) {
        const WallSetKey& key = kWallSetKeys[slot];
        const std::string name = document.ReadSetting(kWallSetSection, key.key, key.defaultName);
        report.names[slot] = name;
        CIndexedImage& image = wallSet.images[slot];
        const Palette16 previousPalette = image.palette();
        // Colour matching needs the palette before the pixels arrive.
        image.SetPalette(wallSet.palette);
        Status status = Status::Fail("empty file name");
        if (!name.empty()) {
            const WallSetFileLocation file = LocateWallSetFile(name, homeFolder, besideFolder);
            status = image.LoadFromFile(file.path);
            if (!status) {
                status = Status::Fail(FailureReason(status, file));
            }
        }
        if (!status) {
            report.failedPictures.push_back({static_cast<int>(slot), name, status.reason()});
            if (mode == LoadMode::kKeepLastGood) {
                // The picture kept was matched against the palette it came with.
                image.SetPalette(previousPalette);
            }
        }
    }
    return report;
}

}  // namespace orvandel
