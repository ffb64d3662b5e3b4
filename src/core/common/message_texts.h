#pragma once

#include <cstdint>
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
inline constexpr std::string_view kReloadAutomatically = "Reload automatically";
inline constexpr std::string_view kLoadTestMap = "Load test map\u2026";
inline constexpr std::string_view kSaveTestMap = "Save test map\u2026";
inline constexpr std::string_view kResetTestMap = "Reset test map";
inline constexpr std::string_view kTestMapFilter = "Test maps (*.txt);;All files (*)";

// Why a file could not be read, the same words for every file the program reads.
inline constexpr std::string_view kMissingFile = "missing file";
inline constexpr std::string_view kIsAFolder = "is a folder, not a file";
inline constexpr std::string_view kNotARegularFile = "not a regular file";
std::string CannotBeRead(std::string_view systemReason);
std::string TooLargeToRead(std::uint64_t size, std::uint64_t maxBytes);

// A reason of a file that was not found, with the folders it was looked for in.
std::string LookedIn(std::string_view reason, const std::vector<std::string>& folders);
// The export of a wall set whose palette did not load, refused with the palette's reason.
std::string ExportWithoutPalette(std::string_view paletteReason);
std::string CannotReadTestMap(std::string_view fileName, std::string_view reason);
std::string CannotSaveTestMap(std::string_view fileName);

// orvandel-cli's render.
inline constexpr std::string_view kNothingWrittenForPartialSet =
    "the wall set did not load completely; with --no-partial nothing was written";
inline constexpr std::string_view kPictureHasNoPixels = "the picture holds no pixels";
inline constexpr std::string_view kNoPngWriter =
    "this build of orvandel-cli cannot write PNG files";
inline constexpr std::string_view kFileNotWritten = "the file could not be written";
std::string StandardOutputNotWritten(std::string_view reason);

// The preview's context menu and what it asks and reports.
inline constexpr std::string_view kCopyViewAction = "&Copy view";
inline constexpr std::string_view kSaveViewAction = "&Save view as\u2026";
inline constexpr std::string_view kSaveViewTitle = "Save view as";
std::string SaveViewFilter(std::string_view format, int scale);
std::string ViewNotSaved(std::string_view fileName, std::string_view reason);

// `list` holds one name per line, each ending in "\n".
std::string BitmapsFailed(std::string_view list);
std::string ExportFailed(std::string_view list);
std::string ExportConfirmation(std::string_view homeFolder);
// "The wall-set file '...' cannot be opened.", then the reason after a blank line.
std::string CannotOpenWallSet(std::string_view fileName, std::string_view reason);
// The position read-out: "(7,6,N)".
std::string PositionReadOut(int x, int y, char facingLetter);

}  // namespace orvandel::messages
