#pragma once

#include <string>
#include <string_view>

// What orvandel-cli itself says: its own trouble, usage mistakes and result lines. The wall
// set's findings and the session's notices are the core's texts.
namespace orvandel::cli::texts {

inline constexpr std::string_view kProgram = "orvandel-cli";
// "orvandel-cli 1.2.0"
std::string VersionLine(std::string_view version);

// "orvandel-cli: text": every line about the tool's own trouble starts so, the way other tools
// name themselves on stderr.
std::string ToolProblem(std::string_view text);
// "'file' could not be written: reason"
std::string FileNotWritten(std::string_view file, std::string_view reason);
// "could not be written: reason", after the file's name in a one-line diagnostic
std::string CouldNotBeWritten(std::string_view reason);
// "'file': reason"
std::string FileProblem(std::string_view file, std::string_view reason);
std::string CurrentFolderUnreadable(std::string_view reason);
std::string UnknownCommand(std::string_view word);

// Before each problem of a check that is not strict, which fails on none of them.
inline constexpr std::string_view kWarningPrefix = "warning: ";

// Usage mistakes, each naming the argument as given.
std::string OutputNeedsFormat(std::string_view output);
std::string HomeFolderMissing(std::string_view home);
std::string HomeNotAFolder(std::string_view home);
std::string OverlayNotPng(std::string_view overlay);
std::string BadToggle(std::string_view toggle);
std::string BadPlacement(std::string_view at);

// "rendered (7,7,N) even/odd to /out/view.png"
std::string Rendered(std::string_view position, bool evenOdd, std::string_view file);
std::string PaletteWritten(std::string_view source, std::string_view output);
// One colour of `palette`'s list: " 3  #1e3cdc", then the swatch if any and the see-through
// mark.
std::string PaletteEntry(int index, std::string_view colour, std::string_view swatch,
                         bool seeThrough);
// A terminal's coloured block showing the colour.
std::string Swatch(int red, int green, int blue);

// --help: what the tool, each command and each option does.
inline constexpr char kHomeHelp[] =
    "Folder holding wallpalette.pal, the pictures and the exported files (default: the "
    "current folder)";
inline constexpr char kWallSetHelp[] =
    "The .Pelorim file naming the six pictures (default: the default names)";
inline constexpr char kQuietHelp[] =
    "Print nothing when all is well, and only the problems otherwise";
inline constexpr char kAbout[] =
    "Checks, renders and exports Orvandel wall sets without a display.";
inline constexpr char kExportAbout[] =
    "Write the 28 wall-piece pictures (Wall_*.bmp) into the home folder";
inline constexpr char kExportOutputHelp[] =
    "Write the pictures into DIR instead, creating it if needed; pictures and palette "
    "are still read from the home folder";
inline constexpr char kDepfileHelp[] =
    "Also write a Make dependency file: its target depends on the wall-set file, the palette, "
    "the pictures and the 28 outputs";
inline constexpr char kDepfileTargetHelp[] =
    "The dependency file's target, a stamp the Makefile touches after the export (default: "
    "FILE itself)";
inline constexpr char kExportNoSyncHelp[] =
    "Do not wait for each file to reach the disk (still replaced atomically), for build trees "
    "that can be thrown away";
inline constexpr char kRenderNoSyncHelp[] =
    "Do not wait for the picture to reach the disk (still replaced atomically)";
inline constexpr char kDiagnosticsHelp[] =
    "line: one line per problem, PATH[:LINE]: error|warning: TEXT; block: the terminal layout; "
    "auto (default): line unless stderr is a terminal";
inline constexpr char kExportStrictHelp[] =
    "Write nothing, and fail, when check --strict would fail";
inline constexpr char kExportFooter[] =
    "Files whose bytes would not change are left untouched, times included.\n"
    "Example: orvandel-cli export --strict --home art/stone --output build/stone stone.Pelorim";
inline constexpr char kRenderAbout[] = "Render the first-person view into a .bmp or .png file";
inline constexpr char kAtHelp[] = "Viewer square and facing (default 7,7,N)";
inline constexpr char kEvenOddHelp[] = "Simulate the even/odd wall drawing";
inline constexpr char kMapHelp[] = "Test map: 16 lines of 16 characters, '#' wall, '.' open floor";
inline constexpr char kToggleHelp[] =
    "Flip square X,Y between wall and open floor; repeatable, applied in order";
inline constexpr char kRenderOutputHelp[] =
    "Picture to write: NAME.bmp or NAME.png, or - for standard output";
inline constexpr char kFormatHelp[] =
    "bmp or png, whatever the name's ending (default: the ending; bmp for -)";
inline constexpr char kSizeHelp[] =
    "Fit the picture into N x N pixels: the largest whole scale, or a smooth reduction "
    "below 1x";
inline constexpr char kNoPartialHelp[] =
    "Write nothing unless the palette and every picture loaded";
inline constexpr char kRenderFooter[] =
    "Example: orvandel-cli render --home art/stone --at 7,7,N --output view.png "
    "stone.Pelorim";
inline constexpr char kCheckAbout[] = "Report what loads, what each piece covers, and colour fits";
inline constexpr char kCheckStrictHelp[] =
    "Count uncovered pieces, approximated colours and wall-set file warnings as failures";
inline constexpr char kJsonHelp[] = "Write the report to stdout as one JSON object, for scripts";
inline constexpr char kOverlayHelp[] =
    "Also write a PNG sheet of the six pictures with approximated, see-through and "
    "missing pixels marked";
inline constexpr char kCheckFooter[] =
    "The report goes to stdout, each problem to stderr.\n"
    "Example: orvandel-cli check --strict --quiet --home art/stone stone.Pelorim";
inline constexpr char kPiecesAbout[] =
    "List the 28 file names that export writes, one per line, in table order";
inline constexpr char kNullHelp[] =
    "End each name with a NUL byte instead of a line break, for xargs -0";
inline constexpr char kPiecesFooter[] =
    "Example: orvandel-cli pieces -0 | xargs -0 -I{} cp build/{} game/";
inline constexpr char kPaletteAbout[] =
    "Print the 16 colours of a palette or an indexed picture, or write them as a "
    "wallpalette.pal";
inline constexpr char kPaletteFileHelp[] =
    "A RIFF, JASC-PAL or GIMP palette, or an indexed picture";
inline constexpr char kPaletteOutputHelp[] = "Write the 16 colours to this file as a RIFF palette";
inline constexpr char kPaletteFooter[] =
    "Example: orvandel-cli palette art/stone/0086.bmp --output art/stone/wallpalette.pal";

}  // namespace orvandel::cli::texts
