#include "core/common/message_texts.h"

namespace orvandel::messages {

std::string CannotBeRead(std::string_view systemReason) {
    return "cannot be read: " + std::string(systemReason);
}

std::string TooLargeToRead(std::uint64_t size, std::uint64_t maxBytes) {
    return "too large: " + std::to_string(size) + " bytes, at most " + std::to_string(maxBytes) +
           " are read";
}

std::string CannotBeWritten(std::string_view systemReason) {
    return "cannot be written: " + std::string(systemReason);
}

std::string FileProblem(std::string_view file, int line, std::string_view text) {
    std::string problem(file);
    if (line > 0) {
        problem += ":" + std::to_string(line);
    }
    return problem + ": " + std::string(text);
}

std::string PictureProblem(std::string_view key, std::string_view name, std::string_view text) {
    return std::string(key) + " \"" + std::string(name) + "\": " + std::string(text);
}

std::string ApproximatedPixels(std::uint32_t count) {
    return std::to_string(count) + " pixel(s) approximated: their colours are not in the palette";
}

std::string PieceNotCovered(std::string_view piece, bool alternate, int slot, int width, int height,
                            int neededWidth, int neededHeight) {
    std::string text = "piece " + std::string(piece) + (alternate ? " alternate" : " own") +
                       ": not fully covered by slot " + std::to_string(slot) + ", " +
                       std::to_string(width) + " x " + std::to_string(height);
    if (neededWidth > 0 && neededHeight > 0) {
        text += ", covering needs at least " + std::to_string(neededWidth) + " x " +
                std::to_string(neededHeight);
    }
    return text;
}

std::string LintNotAnEntry(std::string_view line) {
    return "neither a section, a key=value line nor a comment, so it is ignored: \"" +
           std::string(line) + "\"";
}

std::string LintUnknownKey(std::string_view key) {
    return "key \"" + std::string(key) + "\" in [BMP] is not one of 0084 to 0089, so it is ignored";
}

std::string LintRepeatedKey(std::string_view key, int usedLine) {
    return "key " + std::string(key) + " appears again; the value on line " +
           std::to_string(usedLine) + " is the one used";
}

std::string LintRepeatedSection(std::string_view name, int usedLine) {
    return "section [" + std::string(name) + "] appears again and is ignored; the one on line " +
           std::to_string(usedLine) + " is the one used";
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

std::string ExportRefusedNoPalette(std::string_view reason) {
    return "Nothing was exported: the palette file 'wallpalette.pal' failed to be read (" +
           std::string(reason) + ").";
}

std::string ExportRefusedStrict(std::size_t problems) {
    return "Nothing was exported: the strict export found " + std::to_string(problems) +
           " problem(s) in the wall set.";
}

std::string OutputFolderUnusable(std::string_view folder, std::string_view reason) {
    return "Nothing was exported: the folder '" + std::string(folder) + "' cannot be created (" +
           std::string(reason) + ").";
}

std::string ExportSummary(std::size_t written, std::size_t unchanged, std::size_t failed,
                          std::string_view folder) {
    return std::to_string(written + unchanged + failed) + " pictures in '" + std::string(folder) +
           "': " + std::to_string(written) + " written, " + std::to_string(unchanged) +
           " unchanged, " + std::to_string(failed) + " failed";
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
