#include "core/common/message_texts.h"

namespace orvandel::messages {

std::string CannotBeRead(std::string_view systemReason) {
    return "cannot be read: " + std::string(systemReason);
}

std::string TooLargeToRead(std::uint64_t size, std::uint64_t maxBytes) {
    return "too large: " + std::to_string(size) + " bytes, at most " + std::to_string(maxBytes) +
           " are read";
}

std::string LookedIn(std::string_view reason, const std::vector<std::string>& folders) {
    if (folders.empty()) {
        return std::string(reason);
    }
    std::string text = std::string(reason) + " (looked in ";
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (i > 0) {
            text += i + 1 == folders.size() ? " and " : ", ";
        }
        text += "'" + folders[i] + "'";
    }
    return text + ")";
}

std::string ExportWithoutPalette(std::string_view paletteReason) {
    std::string text = std::string(kPaletteFailed);
    if (!paletteReason.empty()) {
        text += "\n\n" + std::string(paletteReason);
    }
    return text + "\n\nNothing was exported; the files in the folder are unchanged.";
}

std::string CannotReadTestMap(std::string_view fileName, std::string_view reason) {
    return "The test map '" + std::string(fileName) + "' cannot be read.\n\n" + std::string(reason);
}

std::string CannotSaveTestMap(std::string_view fileName) {
    return "The test map could not be saved as '" + std::string(fileName) +
           "'. The folder may be read-only or the disk full; an earlier file of that name is "
           "unchanged.";
}

std::string BitmapsFailed(std::string_view list) {
    return std::string(kBitmapsFailedHeading) + std::string(list);
}

std::string ExportFailed(std::string_view list) {
    return std::string(kExportFailedHeading) + std::string(list);
}

std::string ExportConfirmation(std::string_view homeFolder) {
    return "Export the contents to folder '" + std::string(homeFolder) + "'.\n\nDo you proceed?";
}

std::string StandardOutputNotWritten(std::string_view reason) {
    return "standard output could not be written: " + std::string(reason);
}

std::string SaveViewFilter(std::string_view format, int scale) {
    std::string lower(format);
    for (char& c : lower) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return std::string(format) + " picture at " + std::to_string(scale) + "x (*." + lower + ")";
}

std::string ViewNotSaved(std::string_view fileName, std::string_view reason) {
    return "The view could not be saved to '" + std::string(fileName) + "':\n" +
           std::string(reason);
}

std::string CannotOpenWallSet(std::string_view fileName, std::string_view reason) {
    std::string text = "The wall-set file '" + std::string(fileName) + "' cannot be opened.";
    if (!reason.empty()) {
        text += "\n\n" + std::string(reason);
    }
    return text;
}

std::string PositionReadOut(int x, int y, char facingLetter) {
    return "(" + std::to_string(x) + "," + std::to_string(y) + "," + facingLetter + ")";
}

}  // namespace orvandel::messages
