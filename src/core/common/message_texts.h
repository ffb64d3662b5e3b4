#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel::messages {

inline constexpr std::string_view kAppName = "Orvandel";
inline constexpr std::string_view kPaletteFailed =
    "A palette file 'wallpalette.pal' failed to be read!";
inline constexpr std::string_view kBitmapsFailedHeading =
    "The following bitmap file(s) failed to be read: \n\n";
inline constexpr std::string_view kExportFailedHeading =
    "The following picture(s) failed to be exported:\n\n";
inline constexpr std::string_view kExportCancelled = "Export cancelled";
inline constexpr std::string_view kExportFinished = "export finished";
inline constexpr std::string_view kExportBitmapFailed =
    "The export bitmap could not be created; no picture was written.";
inline constexpr std::string_view kOutOfMemory =
    "There was not enough memory to finish this action. Nothing else was changed.";

// The non-modal notice of a reload that follows the painting program, above its detail lines.
inline constexpr std::string_view kLiveReloadKept =
    "Some files could not be read; the preview keeps their last good version:";

// Why a file could not be read, the same words for every file the program reads.
inline constexpr std::string_view kMissingFile = "missing file";
inline constexpr std::string_view kIsAFolder = "is a folder, not a file";
inline constexpr std::string_view kNotARegularFile = "not a regular file";
std::string CannotBeRead(std::string_view systemReason);
// The system's reason when it has no words for an error code.
std::string SystemErrorCode(std::uint32_t code);
std::string TooLargeToRead(std::uint64_t size, std::uint64_t maxBytes);
// A file some reader reads only the start of: "larger than the 256 KB that are read".
std::string LargerThanRead(std::uint64_t maxBytes);

// A reason of a file that was not found, with the folders it was looked for in.
std::string LookedIn(std::string_view reason, const std::vector<std::string>& folders);
// The export of a wall set whose palette did not load, refused with the palette's reason.
std::string ExportWithoutPalette(std::string_view paletteReason);
inline constexpr std::string_view kNothingExported =
    "Nothing was exported; the files in the folder are unchanged.";
// The same refusal after a reload that missed the palette while the view kept the last good one.
std::string ExportAfterMissedPalette(std::string_view paletteReason);
// Why a piece was not exported: "its picture 0086 "front.bmp" failed to load: empty file".
std::string PictureNotLoaded(std::string_view key, std::string_view name, std::string_view reason);
std::string CannotReadTestMap(std::string_view fileName, std::string_view reason);
std::string CannotSaveTestMap(std::string_view fileName);

// A picture of the view, for a file or the clipboard.
inline constexpr std::string_view kNothingWrittenForPartialSet =
    "the wall set did not load completely; with --no-partial nothing was written";
inline constexpr std::string_view kViewportBitmapFailed =
    "the viewport bitmap could not be created; nothing was written";
inline constexpr std::string_view kPictureHasNoPixels = "the picture holds no pixels";
inline constexpr std::string_view kFileNotWritten = "the file could not be written";
std::string StandardOutputNotWritten(std::string_view reason);
// "'view.bmp' could not be written: read-only: check it out or clear the read-only flag"
std::string OutputNotWritten(std::string_view fileName, std::string_view reason);

std::string ViewNotSaved(std::string_view fileName, std::string_view reason);

// Why a picture file is refused, each with what to do about it.
inline constexpr std::string_view kIconNotPicture = "an icon, not a picture";
inline constexpr std::string_view kUnknownPictureFormat =
    "not a BMP, PNG, GIF or JPEG file: save it in one of these formats";

inline constexpr std::string_view kTransparentPixels =
    "transparent pixels: paint see-through areas in palette colour 10 instead";
// "32 bits per pixel: save as 8-bit indexed or 24-bit"
std::string UnsupportedDepth(int bitsPerPixel);
// "too wide: 400 > 320; crop or scale it down", likewise "too tall".
std::string TooWide(long long width, int maxWidth);
std::string TooTall(long long height, int maxHeight);
// "unsupported compression 3 (bit fields): save it uncompressed"
std::string UnsupportedCompression(unsigned compression, std::string_view name);
// "missing file; did you mean 'Wall 0084.png'?"
std::string MissingFileDidYouMean(std::string_view candidate);

// Why a palette file is refused.
inline constexpr std::string_view kNoRiffChunk =
    "no RIFF chunk, and not a JASC-PAL or GIMP palette: save the palette in one of these formats";
// "data chunk of 36 bytes holds 8 colours; 16 are needed"
std::string RiffTooFewColours(std::uint64_t dataBytes, std::uint64_t colours);
// "JASC-PAL palette of 8 colours; 16 are needed"
std::string TooFewColours(std::string_view format, std::size_t colours);
// "GIMP palette: line 5 is not a colour; write it as three numbers from 0 to 255"
std::string BadTextPalette(std::string_view format, std::size_t line);

// Why a file gives no palette for `orvandel-cli palette`.
std::string NeitherPaletteNorPicture(std::string_view pictureReason);
std::string PictureWithoutColourTable(int bitsPerPixel);
// "colour table of 2 colours; 16 are needed"
std::string ColourTableTooSmall(std::size_t colours);
inline constexpr std::string_view kCannotWriteFile = "cannot be written";

// The reason given for a picture that was decoded but could not be matched: the palette failed.
inline constexpr std::string_view kNotMatchedPaletteFailed = "not matched, the palette failed";

// Why a file could not be written, in the details of an export's failure message.
inline constexpr std::string_view kWritePermissionDenied = "permission denied";
inline constexpr std::string_view kWriteNoSpace = "no space left on device";
inline constexpr std::string_view kWriteInUse = "in use by another program";
inline constexpr std::string_view kWriteIsAFolder = "is a folder";
inline constexpr std::string_view kWriteNoFolder = "its folder does not exist";
inline constexpr std::string_view kWriteFailed = "cannot be written";
inline constexpr std::string_view kWriteReadOnly =
    "read-only: check it out or clear the read-only flag";
inline constexpr std::string_view kNotAFolder = "a file is in the way, not a folder";
std::string CannotBeWritten(std::string_view systemReason);

// One problem of a wall set, one line each, as `check` lists them on stderr.
// "file:12: text", or "file: text" for line 0, the way compilers point at a line.
std::string FileProblem(std::string_view file, int line, std::string_view text);
// `0087 "name": text`; the key keeps the line meaningful when the name is empty.
std::string PictureProblem(std::string_view key, std::string_view name, std::string_view text);
std::string ApproximatedPixels(std::uint32_t count);
std::string SeeThroughPixels(std::uint32_t count);
// One line for an export whose every failure had one cause: "28 pictures not written:
// permission denied".
std::string PicturesNotWritten(std::size_t count, std::string_view reason);
std::string PieceNotCovered(std::string_view piece, std::string_view key, int width, int height,
                            int neededWidth, int neededHeight);

// What the lint of a wall-set file says about one of its lines.
std::string LintNotAnEntry(std::string_view line);
std::string LintUnknownKey(std::string_view key);
std::string LintRepeatedKey(std::string_view key, int usedLine);
std::string LintRepeatedSection(std::string_view name, int usedLine);
// The last warning of a lint that found more than it lists: "… and 41 more".
std::string LintMoreWarnings(std::size_t more);
// A value longer than the reader takes, cut to `kept` characters.
std::string LintValueCut(std::string_view key, std::size_t length, std::size_t kept);
inline constexpr std::string_view kLintNoBmpSection =
    "no [BMP] section: every picture takes its default name";

// `list` holds one name per line, each ending in "\n".
std::string BitmapsFailed(std::string_view list);
std::string ExportFailed(std::string_view list);
std::string ExportConfirmation(std::string_view homeFolder);
// An export that writes nothing because a strict export found problems, or the output folder
// cannot be made.
std::string ExportRefusedStrict(std::size_t problems);
std::string OutputFolderUnusable(std::string_view folder, std::string_view reason);
inline constexpr std::string_view kNothingExportedWithoutPalette =
    "nothing was exported: the palette did not load";
// "The dependency file '...' cannot be written (permission denied)."
std::string DependencyFileNotWritten(std::string_view fileName, std::string_view reason);
// "28 pictures in '/out': 3 written, 25 unchanged, 0 failed"
std::string ExportSummary(std::size_t written, std::size_t unchanged, std::size_t failed,
                          std::string_view folder);
// "The wall-set file '...' cannot be opened.", then the reason after a blank line.
std::string CannotOpenWallSet(std::string_view fileName, std::string_view reason);
// Where a piece stands, as an artist names it: "front wall, distance 1 [D1]",
// "left side, distance 2 (alternate, mirrored) [D2L]".
std::string PiecePlace(int lateral, int forward, bool alternate, bool mirrored,
                       std::string_view rowName);
// "#1e3cdc", the way paint programs write colours.
std::string ColourText(std::uint32_t colour);
// The one-line summary of one picture's trouble for the status line, each part optional:
// "0086: 1519 pixels approximated, 78 became see-through", "0084 too small (40 x 100, needs
// 32 x 136)". Parts are joined with kSummarySeparator.
std::string ApproximationSummary(std::string_view key, std::uint32_t approximated,
                                 std::uint32_t seeThrough);
std::string TooSmallSummary(std::string_view key, int width, int height, int neededWidth,
                            int neededHeight);
inline constexpr std::string_view kSummarySeparator = " \xc2\xb7 ";  // a middle dot

// The overlay sheet's words.
inline constexpr std::string_view kSheetNotLoaded = "not loaded";
inline constexpr std::string_view kSheetApproximatedLegend =
    "approximated: the palette has no such colour, the game shows the nearest one it finds";
inline constexpr std::string_view kSheetSeeThroughLegend =
    "became see-through (index 10): the wall behind shows through";
inline constexpr std::string_view kSheetMissingLegend =
    "missing: a piece needs these pixels, the picture does not have them";

// The pixel inspector's parts.
inline constexpr std::string_view kFloorOrBackground = "floor or background";
std::string PictureKeyAndName(std::string_view key, std::string_view name);
// "pixel (12, 40) · file #1e3cdc -> index 10, see-through"; the file colour may be unknown.
std::string SourcePixelText(int x, int y, std::optional<std::uint32_t> fileColour, int index,
                            bool seeThrough);
// "no pixel here: the picture is 40 x 100"
std::string NoPixelHere(int width, int height);
// What shows through a piece in front that did not draw the pixel: " (in front: ...)".
std::string ThroughHole(std::string_view holeText, bool somethingBehind);

// What the window says about files that did not load, in the inspector, the status line and
// the problems panel.
// "did not load: missing file"
std::string DidNotLoad(std::string_view reason);
// "wallpalette.pal did not load: no RIFF chunk, ..."
std::string PaletteDidNotLoad(std::string_view reason);
// "0089 did not load", for the status line
std::string NotLoadedSummary(std::string_view key);
inline constexpr std::string_view kShowsLastGoodVersion = "the preview shows its last good version";
inline constexpr std::string_view kShowsLastGoodColours =
    "the preview keeps the colours of its last good version";
inline constexpr std::string_view kPiecesMissingFromView = "its pieces are missing from the view";
inline constexpr std::string_view kViewWithoutPalette =
    "nothing can be shown or exported without it";

// The problems panel.
inline constexpr std::string_view kProblemsPanelName = "Problems";
inline constexpr std::string_view kAllIsWell =
    "All is well: every file loaded, every piece is covered, every colour is in the palette.";
// "too small: 40 x 100, its pieces need 32 x 136"
std::string PictureTooSmall(int width, int height, int neededWidth, int neededHeight);
// "enlarge it to at least 32 x 136 pixels"
std::string EnlargeTo(int neededWidth, int neededHeight);
// "1519 pixels approximated in 3 colours not in the palette, 78 became see-through"
std::string PixelsNotInPalette(std::uint32_t approximated, std::size_t colours, bool allColours,
                               std::uint32_t seeThrough);
// "exported with 1519 approximated pixels, 78 see-through"
std::string ExportedApproximated(std::uint32_t approximated, std::uint32_t seeThrough);
inline constexpr std::string_view kRemedyPalette =
    "save it as a RIFF, JASC-PAL or GIMP palette of at least 16 colours, then reload";
inline constexpr std::string_view kRemedyPicture =
    "mend or save the picture, or name another one for this key in the wall-set file";
inline constexpr std::string_view kRemedyColours =
    "paint with the palette's 16 colours only, see-through areas in colour 10";
inline constexpr std::string_view kRemedyWallSetLine = "mend or remove the line";
inline constexpr std::string_view kRemedyExportFailed =
    "close the program that holds it or make the folder writable, then export again";

// The position read-out: "(7,6,N)".
std::string PositionReadOut(int x, int y, char facingLetter);

}  // namespace orvandel::messages
