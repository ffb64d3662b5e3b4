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
    std::vector<std::string> details;
    if (!paletteLoaded) {
        details.push_back(std::string(kPaletteFileName) + ": " + paletteReason);
    }
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

LoadReport LoadWallSet(WallSet& wallSet, const WallSetDocument& document,
                       const std::filesystem::path& homeFolder) {
    LoadReport report;
    // Nothing of the previous wall set survives a load, whether or not this one succeeds.
    for (CIndexedImage& image : wallSet.images) {
        image.Clear();
    }

    // The names are known whether or not the palette reads, and a report shows them either way.
    for (std::size_t slot = 0; slot < kWallSetKeys.size(); ++slot) {
        const WallSetKey& key = kWallSetKeys[slot];
        report.names[slot] = document.ReadSetting(kWallSetSection, key.key, key.defaultName);
    }

    Palette16 palette = wallSet.palette;
    const Status paletteStatus =
        palette.ReadPaletteFile(ResolvePictureName(kPaletteFileName, homeFolder));
    if (paletteStatus) {
        wallSet.palette = palette;
        report.paletteLoaded = true;
    } else {
        report.paletteReason = paletteStatus.reason();
    }

    for (std::size_t slot = 0; slot < kWallSetKeys.size(); ++slot) {
        const std::string& name = report.names[slot];
        // Without a palette the picture is decoded into a scratch image and thrown away: the
        // slots stay empty as before, but a missing or broken picture is known now, not after
        // the palette has been mended.
        CIndexedImage scratch;
        CIndexedImage& image = report.paletteLoaded ? wallSet.images[slot] : scratch;
        // Colour matching needs the palette before the pixels arrive.
        image.SetPalette(wallSet.palette);
        const Status status = name.empty()
                                  ? Status::Fail("empty file name")
                                  : image.LoadFromFile(ResolvePictureName(name, homeFolder));
        if (!status) {
            std::string reason = status.reason();
            if (reason == messages::kMissingFile) {
                if (const auto similar = SimilarPictureName(name, homeFolder)) {
                    reason = messages::MissingFileDidYouMean(*similar);
                }
            }
            report.failedPictures.push_back({static_cast<int>(slot), name, std::move(reason)});
        }
        if (!report.paletteLoaded) {
            report.decodedWithoutPalette[slot] = scratch.loadInfo();
        }
    }
    return report;
}

}  // namespace orvandel
