#include "core/export/export_wall_pieces.h"

#include <algorithm>
#include <cstddef>

#include "core/common/message_texts.h"
#include "core/image/colour_table.h"
#include "core/view/blit_piece.h"
#include "core/view/view_cell_table.h"
#include "core/view/viewport_size.h"

namespace orvandel {

std::vector<ExportPicture> ExportPictureList() {
    std::vector<ExportPicture> pictures;
    pictures.reserve(2 * kViewCellCount);
    for (int row = 0; row < kViewCellCount; ++row) {
        const std::string name = ViewCells()[static_cast<std::size_t>(row)].name;
        pictures.push_back({row, false, "Wall_" + name + ".bmp"});
        // The grave accent marks the alternate picture, the one shown on odd squares.
        pictures.push_back({row, true, "Wall_" + name + "`.bmp"});
    }
    return pictures;
}

void DrawExportPicture(CPaletteDib& bitmap, const WallSet& wallSet, const ExportPicture& picture) {
    BitmapInfo info;
    if (!bitmap.GetBitmapInfo(info) || info.bits == nullptr) {
        return;
    }
    // Index 10 is the engine's transparent colour: everything the piece leaves is see-through.
    const auto size = static_cast<std::size_t>(info.widthBytes) *
                      static_cast<std::size_t>(std::max(info.height, 0));
    std::fill_n(info.bits, size, kTransparentIndex);
    const PieceForm form = picture.alternate ? AlternateForm(picture.row) : OwnForm(picture.row);
    BlitPiece(bitmap, wallSet.images[static_cast<std::size_t>(form.slot)], form);
}

std::optional<std::string> ExportReport::FailureMessage() const {
    if (failed.empty()) {
        return std::nullopt;
    }
    std::string list;
    for (const std::string& name : failed) {
        list += name + "\n";
    }
    return messages::ExportFailed(list);
}

std::vector<std::string> ExportReport::FailureDetails() const {
    std::vector<std::string> details;
    for (std::size_t k = 0; k < failed.size(); ++k) {
        details.push_back(
            failed[k] + ": " +
            (k < failureReasons.size() ? failureReasons[k] : std::string(messages::kWriteFailed)));
    }
    return details;
}

ExportReport ExportWallPieces(const WallSet& wallSet, const std::filesystem::path& folder,
                              FileOps& ops, const FailedSlots& failedSlots) {
    ExportReport report;
    CPaletteDib bitmap;
    const ColourTable256 table = BuildColourTable(wallSet.palette);
    if (!bitmap.Create(kViewportWidth, kViewportHeight, 8, table, static_cast<int>(table.size()))) {
        return report;
    }
    report.bitmapCreated = true;

    std::vector<std::string> names;
    for (const ExportPicture& picture : ExportPictureList()) {
        names.push_back(picture.fileName);
    }
    // An export killed half way left its temporary files behind; nobody else will remove them.
    RemoveStaleTemporaryFiles(folder.empty() ? std::filesystem::path(".") : folder, names);

    for (const ExportPicture& picture : ExportPictureList()) {
        const PieceForm form =
            picture.alternate ? AlternateForm(picture.row) : OwnForm(picture.row);
        if (const auto& failure = failedSlots[static_cast<std::size_t>(form.slot)]) {
            report.failed.push_back(picture.fileName);
            report.failureReasons.push_back(*failure);
            continue;
        }
        DrawExportPicture(bitmap, wallSet, picture);
        const WriteResult result = bitmap.WriteBmpFileIfChanged(folder / picture.fileName, ops);
        if (!result.status) {
            report.failed.push_back(picture.fileName);
            report.failureReasons.push_back(result.status.reason());
        } else if (result.unchanged) {
            report.unchanged.push_back(picture.fileName);
        } else {
            report.written.push_back(picture.fileName);
        }
    }
    return report;
}

}  // namespace orvandel
