#include "core/common/message_texts.h"

#include "core/common/display_text.h"

namespace orvandel::messages {

std::string CannotBeRead(std::string_view systemReason) {
    return "cannot be read: " + std::string(systemReason);
}

std::string SystemErrorCode(std::uint32_t code) {
    return "system error " + std::to_string(code);
}

std::string TooLargeToRead(std::uint64_t size, std::uint64_t maxBytes) {
    return "too large: " + std::to_string(size) + " bytes, at most " + std::to_string(maxBytes) +
           " are read";
}

std::string LargerThanRead(std::uint64_t maxBytes) {
    return "larger than the " + std::to_string(maxBytes / 1024) + " KB that are read";
}

std::string CannotBeWritten(std::string_view systemReason) {
    return "cannot be written: " + std::string(systemReason);
}

std::string FileProblem(std::string_view file, int line, std::string_view text) {
    std::string problem = DisplayText(file);
    if (line > 0) {
        problem += ":" + std::to_string(line);
    }
    return problem + ": " + std::string(text);
}

std::string PictureProblem(std::string_view key, std::string_view name, std::string_view text) {
    return std::string(key) + " \"" + DisplayText(name) + "\": " + std::string(text);
}

std::string ApproximatedPixels(std::uint32_t count) {
    return std::to_string(count) + " pixel(s) approximated: their colours are not in the palette";
}

std::string SeeThroughPixels(std::uint32_t count) {
    return std::to_string(count) +
           " pixel(s) became see-through: their nearest palette colour is index 10, which the "
           "game never draws";
}

std::string PicturesNotWritten(std::size_t count, std::string_view reason) {
    return std::to_string(count) + (count == 1 ? " picture" : " pictures") +
           " not written: " + std::string(reason);
}

std::string PieceNotCovered(std::string_view piece, std::string_view key, int width, int height,
                            int neededWidth, int neededHeight) {
    std::string text = std::string(piece) + ": not fully covered by " + std::string(key) + ", " +
                       std::to_string(width) + " x " + std::to_string(height);
    if (neededWidth > 0 && neededHeight > 0) {
        text += ", this piece needs at least " + std::to_string(neededWidth) + " x " +
                std::to_string(neededHeight);
    }
    return text;
}

std::string LintNotAnEntry(std::string_view line) {
    return "neither a section, a key=value line nor a comment, so it is ignored: \"" +
           DisplayText(line) + "\"";
}

std::string LintUnknownKey(std::string_view key) {
    return "key \"" + DisplayText(key) + "\" in [BMP] is not one of 0084 to 0089, so it is ignored";
}

std::string LintRepeatedKey(std::string_view key, int usedLine) {
    return "key " + DisplayText(key) + " appears again; the value on line " +
           std::to_string(usedLine) + " is the one used";
}

std::string LintRepeatedSection(std::string_view name, int usedLine) {
    return "section [" + DisplayText(name) + "] appears again and is ignored; the one on line " +
           std::to_string(usedLine) + " is the one used";
}

std::string LintMoreWarnings(std::size_t more) {
    return "\u2026 and " + std::to_string(more) + " more";
}

std::string LintValueCut(std::string_view key, std::size_t length, std::size_t kept) {
    return "the value of " + std::string(key) + " is " + std::to_string(length) +
           " characters long; only the first " + std::to_string(kept) +
           " are read, so it names another file";
}

std::string UnsupportedDepth(int bitsPerPixel) {
    return std::to_string(bitsPerPixel) + " bits per pixel: save as 8-bit indexed or 24-bit";
}

std::string TooWide(long long width, int maxWidth) {
    return "too wide: " + std::to_string(width) + " > " + std::to_string(maxWidth) +
           "; crop or scale it down";
}

std::string TooTall(long long height, int maxHeight) {
    return "too tall: " + std::to_string(height) + " > " + std::to_string(maxHeight) +
           "; crop or scale it down";
}

std::string UnsupportedCompression(unsigned compression, std::string_view name) {
    return "unsupported compression " + std::to_string(compression) + " (" + std::string(name) +
           "): save it uncompressed";
}

std::string MissingFileDidYouMean(std::string_view candidate) {
    return std::string(kMissingFile) + "; did you mean '" + DisplayText(candidate) + "'?";
}

std::string RiffTooFewColours(std::uint64_t dataBytes, std::uint64_t colours) {
    return "data chunk of " + std::to_string(dataBytes) + " bytes holds " +
           std::to_string(colours) + (colours == 1 ? " colour" : " colours") + "; 16 are needed";
}

std::string TooFewColours(std::string_view format, std::size_t colours) {
    return std::string(format) + " palette of " + std::to_string(colours) +
           (colours == 1 ? " colour" : " colours") + "; 16 are needed";
}

std::string BadTextPalette(std::string_view format, std::size_t line) {
    return std::string(format) + " palette: line " + std::to_string(line) +
           " is not as expected; write colours as three numbers from 0 to 255";
}

std::string NeitherPaletteNorPicture(std::string_view pictureReason) {
    return "neither a palette nor a picture (" + std::string(pictureReason) +
           "): give a RIFF, JASC-PAL or GIMP palette, or an indexed picture";
}

std::string ColourTableTooSmall(std::size_t colours) {
    return "colour table of " + std::to_string(colours) + (colours == 1 ? " colour" : " colours") +
           "; 16 are needed";
}

std::string PictureWithoutColourTable(int bitsPerPixel) {
    return "a " + std::to_string(bitsPerPixel) +
           "-bit picture has no colour table: give an indexed picture or a palette";
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
        text += "'" + DisplayText(folders[i]) + "'";
    }
    return text + ")";
}

std::string ExportWithoutPalette(std::string_view paletteReason) {
    std::string text = std::string(kPaletteFailed);
    if (!paletteReason.empty()) {
        text += "\n\n" + std::string(paletteReason);
    }
    return text + "\n\n" + std::string(kNothingExported);
}

std::string ExportAfterMissedPalette(std::string_view paletteReason) {
    std::string text =
        "The palette file 'wallpalette.pal' could not be read at the last reload; the view shows "
        "the last good palette.";
    if (!paletteReason.empty()) {
        text += "\n\n" + std::string(paletteReason);
    }
    return text + "\n\n" + std::string(kNothingExported);
}

std::string PictureNotLoaded(std::string_view key, std::string_view name, std::string_view reason) {
    return "not written, its picture " + std::string(key) + " \"" + DisplayText(name) +
           "\" failed to load: " + std::string(reason);
}

std::string CannotReadTestMap(std::string_view fileName, std::string_view reason) {
    return "The test map '" + DisplayText(fileName) + "' cannot be read.\n\n" + std::string(reason);
}

std::string CannotSaveTestMap(std::string_view fileName) {
    return "The test map could not be saved as '" + DisplayText(fileName) +
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
    return "Export the contents to folder '" + DisplayText(homeFolder) + "'.\n\nDo you proceed?";
}

std::string StandardOutputNotWritten(std::string_view reason) {
    return "standard output could not be written: " + std::string(reason);
}

std::string OutputNotWritten(std::string_view fileName, std::string_view reason) {
    // A reason that already says "cannot be written" would say it twice.
    const std::string repeated = std::string(kWriteFailed) + ": ";
    if (reason.starts_with(repeated)) {
        reason.remove_prefix(repeated.size());
    }
    return "'" + DisplayText(fileName) + "' could not be written: " + std::string(reason);
}

std::string ViewNotSaved(std::string_view fileName, std::string_view reason) {
    return "The view could not be saved to '" + DisplayText(fileName) + "':\n" +
           std::string(reason);
}

std::string ExportRefusedStrict(std::size_t problems) {
    return "Nothing was exported: the strict export found " + std::to_string(problems) +
           " problem(s) in the wall set.";
}

std::string OutputFolderUnusable(std::string_view folder, std::string_view reason) {
    return "Nothing was exported: the folder '" + DisplayText(folder) + "' cannot be created (" +
           std::string(reason) + ").";
}

std::string DependencyFileNotWritten(std::string_view fileName, std::string_view reason) {
    return "The dependency file '" + std::string(fileName) + "' cannot be written (" +
           std::string(reason) + ").";
}

std::string ExportSummary(std::size_t written, std::size_t unchanged, std::size_t failed,
                          std::string_view folder) {
    return std::to_string(written + unchanged + failed) + " pictures in '" + DisplayText(folder) +
           "': " + std::to_string(written) + " written, " + std::to_string(unchanged) +
           " unchanged, " + std::to_string(failed) + " failed";
}

std::string CannotOpenWallSet(std::string_view fileName, std::string_view reason) {
    std::string text = "The wall-set file '" + DisplayText(fileName) + "' cannot be opened.";
    if (!reason.empty()) {
        text += "\n\n" + std::string(reason);
    }
    return text;
}

std::string PiecePlace(int lateral, int forward, bool alternate, bool mirrored,
                       std::string_view rowName) {
    std::string place;
    if (lateral == 0) {
        place = "front wall";
    } else {
        place = std::string(lateral < -1 || lateral > 1 ? "far " : "") +
                (lateral < 0 ? "left side" : "right side");
    }
    place += ", distance " + std::to_string(forward);
    if (alternate || mirrored) {
        place += std::string(" (") + (alternate ? "alternate" : "") +
                 (alternate && mirrored ? ", " : "") + (mirrored ? "mirrored" : "") + ")";
    }
    return place + " [" + std::string(rowName) + "]";
}

std::string ColourText(std::uint32_t colour) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "#";
    for (const int shift : {0, 8, 16}) {
        const auto channel = (colour >> shift) & 0xFFu;
        text += kDigits[channel >> 4];
        text += kDigits[channel & 0xFu];
    }
    return text;
}

std::string ApproximationSummary(std::string_view key, std::uint32_t approximated,
                                 std::uint32_t seeThrough) {
    std::string text = std::string(key) + ": " + std::to_string(approximated) +
                       (approximated == 1 ? " pixel" : " pixels") + " approximated";
    if (seeThrough > 0) {
        text += ", " + std::to_string(seeThrough) + " became see-through";
    }
    return text;
}

std::string TooSmallSummary(std::string_view key, int width, int height, int neededWidth,
                            int neededHeight) {
    return std::string(key) + " too small (" + std::to_string(width) + " x " +
           std::to_string(height) + ", needs " + std::to_string(neededWidth) + " x " +
           std::to_string(neededHeight) + ")";
}

std::string PictureKeyAndName(std::string_view key, std::string_view name) {
    return std::string(key) + " \"" + DisplayText(name) + "\"";
}

std::string SourcePixelText(int x, int y, std::optional<std::uint32_t> fileColour, int index,
                            bool seeThrough) {
    std::string text = "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")" +
                       std::string(kSummarySeparator) + "file " +
                       (fileColour ? ColourText(*fileColour) : std::string("colour unknown")) +
                       " -> index " + std::to_string(index);
    return seeThrough ? text + ", see-through" : text;
}

std::string NoPixelHere(int width, int height) {
    return "no pixel here: the picture is " + std::to_string(width) + " x " +
           std::to_string(height);
}

std::string ThroughHole(std::string_view holeText, bool somethingBehind) {
    return std::string(somethingBehind ? "; showing through " : "; not drawn by ") +
           std::string(holeText);
}

std::string DidNotLoad(std::string_view reason) {
    return "did not load: " + std::string(reason);
}

std::string PaletteDidNotLoad(std::string_view reason) {
    return "wallpalette.pal " + DidNotLoad(reason);
}

std::string NotLoadedSummary(std::string_view key) {
    return std::string(key) + " did not load";
}

std::string PictureTooSmall(int width, int height, int neededWidth, int neededHeight) {
    return "too small: " + std::to_string(width) + " x " + std::to_string(height) +
           ", its pieces need " + std::to_string(neededWidth) + " x " +
           std::to_string(neededHeight);
}

std::string EnlargeTo(int neededWidth, int neededHeight) {
    return "enlarge it to at least " + std::to_string(neededWidth) + " x " +
           std::to_string(neededHeight) + " pixels";
}

std::string PixelsNotInPalette(std::uint32_t approximated, std::size_t colours, bool allColours,
                               std::uint32_t seeThrough) {
    std::string text =
        std::to_string(approximated) + (approximated == 1 ? " pixel" : " pixels") + " approximated";
    if (colours > 0) {
        text += " in " + std::string(allColours ? "" : "at least ") + std::to_string(colours) +
                (colours == 1 ? " colour" : " colours") + " not in the palette";
    }
    if (seeThrough > 0) {
        text += ", " + std::to_string(seeThrough) + " became see-through";
    }
    return text;
}

std::string ExportedApproximated(std::uint32_t approximated, std::uint32_t seeThrough) {
    std::string text = "exported with " + std::to_string(approximated) + " approximated " +
                       (approximated == 1 ? "pixel" : "pixels");
    if (seeThrough > 0) {
        text += ", " + std::to_string(seeThrough) + " see-through";
    }
    return text;
}

std::string PositionReadOut(int x, int y, char facingLetter) {
    return "(" + std::to_string(x) + "," + std::to_string(y) + "," + facingLetter + ")";
}

}  // namespace orvandel::messages
