#include "core/wallset/load_wall_set.h"

#include <cstddef>
#include <utility>
#include <vector>

#include "core/common/display_text.h"
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
        list += DisplayText(failed.name) + "\n";
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
                : DisplayText(failed.name);
        details.push_back(label + ": " + failed.reason);
    }
    return details;
}

namespace {

// A file that was not found says where it was looked for.
std::string FailureReason(const std::string& reason, const WallSetFileLocation& file) {
    return file.found ? reason : messages::LookedIn(reason, file.searched);
}

}  // namespace

LoadReport LoadWallSet(WallSet& wallSet, const WallSetDocument& document,
                       const std::filesystem::path& homeFolder, LoadMode mode) {
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

    // The names are known whether or not the palette reads, and a report shows them either way.
    std::vector<ProfileQuery> queries;
    for (const WallSetKey& key : kWallSetKeys) {
        queries.push_back({key.key, key.defaultName});
    }
    const std::vector<std::string> values = document.ReadSettings(kWallSetSection, queries);
    for (std::size_t slot = 0; slot < kWallSetKeys.size(); ++slot) {
        // A file saved by a Windows program in its code page names its pictures in that code
        // page; the name is shown and looked for as text, and as the bytes themselves too.
        report.rawNames[slot] = values[slot];
        report.names[slot] = TextFromWallSetBytes(values[slot]);
    }

    Palette16 palette = wallSet.palette;
    const WallSetFileLocation paletteFile =
        LocateWallSetFile(kPaletteFileName, homeFolder, besideFolder);
    const Status paletteStatus = palette.ReadPaletteFile(paletteFile.path);
    if (paletteStatus) {
        wallSet.palette = palette;
        report.paletteLoaded = true;
    } else {
        report.paletteReason = FailureReason(paletteStatus.reason(), paletteFile);
    }
    report.paletteFile = paletteFile;

    for (std::size_t slot = 0; slot < kWallSetKeys.size(); ++slot) {
        const std::string& name = report.names[slot];
        // Without a palette the picture is decoded into a scratch image and thrown away: the
        // slots stay empty as before, but a missing or broken picture is known now, not after
        // the palette has been mended.
        CIndexedImage scratch;
        CIndexedImage& image = report.paletteLoaded ? wallSet.images[slot] : scratch;
        const Palette16 previousPalette = image.palette();
        // Colour matching needs the palette before the pixels arrive.
        image.SetPalette(wallSet.palette);
        Status status = Status::Fail("empty file name");
        WallSetFileLocation file;
        if (!name.empty()) {
            file = LocateWallSetFile(name, homeFolder, besideFolder);
            if (!file.found && report.rawNames[slot] != name) {
                WallSetFileLocation asBytes =
                    LocateWallSetFile(report.rawNames[slot], homeFolder, besideFolder);
                if (asBytes.found) {
                    file = std::move(asBytes);
                }
            }
            status = image.LoadFromFile(file.path);
        }
        report.pictureFiles[slot] = file;
        if (!status) {
            std::string reason = status.reason();
            const bool missing = name.empty() || reason == messages::kMissingFile;
            if (reason == messages::kMissingFile) {
                if (const auto similar = SimilarPictureName(name, homeFolder)) {
                    reason = messages::MissingFileDidYouMean(*similar);
                }
            }
            if (!name.empty()) {
                reason = FailureReason(reason, file);
            }
            report.failedPictures.push_back(
                {static_cast<int>(slot), name, std::move(reason), missing});
            if (mode == LoadMode::kKeepLastGood) {
                // The picture kept was matched against the palette it came with.
                image.SetPalette(previousPalette);
            }
        }
        if (!report.paletteLoaded) {
            report.decodedWithoutPalette[slot] = scratch.loadInfo();
        }
    }
    return report;
}

}  // namespace orvandel
