#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/image/file_ops.h"
#include "core/image/palette_dib.h"
#include "core/wallset/wall_set.h"
#include "core/wallset/wall_set_slots.h"

namespace orvandel {

// One exported picture: a table row's own piece, or its alternate (name with '`' before ".bmp").
struct ExportPicture {
    int row = 0;
    bool alternate = false;
    std::string fileName;
};

// The 28 pictures in the order they are written.
std::vector<ExportPicture> ExportPictureList();

// Fills the bitmap with index 10 and draws the picture's one piece into it.
void DrawExportPicture(CPaletteDib& bitmap, const WallSet& wallSet, const ExportPicture& picture);

// Why the picture of an image slot failed to load, for the slots whose picture did; a piece
// drawn from such a slot is not written, since an empty slot would replace a good exported
// picture with a see-through one.
using FailedSlots = std::array<std::optional<std::string>, kImageSlotCount>;

struct ExportReport {
    bool bitmapCreated = false;
    std::vector<std::string> written;
    std::vector<std::string> unchanged;       // already held exactly these bytes; left untouched
    std::vector<std::string> failed;          // in table order
    std::vector<std::string> failureReasons;  // one per failed name, same order

    // "The following picture(s) failed to be exported:..." when something failed.
    std::optional<std::string> FailureMessage() const;
    // "name: reason" for each failed picture.
    std::vector<std::string> FailureDetails() const;
};

// Writes the 28 pictures into `folder` (the current folder when it is empty). Every picture is
// tried but those drawn from a slot in `failedSlots`, which are listed as failed with the
// picture's reason; an existing file is replaced only by a complete new one, and a file that
// would not change is not touched at all.
ExportReport ExportWallPieces(const WallSet& wallSet, const std::filesystem::path& folder,
                              FileOps& ops = SystemFileOps(), const FailedSlots& failedSlots = {});

}  // namespace orvandel
