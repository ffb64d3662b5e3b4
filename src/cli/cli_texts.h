#pragma once

#include <string>
#include <string_view>

// What orvandel-cli itself says: its own trouble, usage mistakes and result lines. The wall
// set's findings and the session's notices are the core's texts.
namespace orvandel::cli::texts {

// "orvandel-cli: text": every line about the tool's own trouble starts so, the way other tools
// name themselves on stderr.
std::string ToolProblem(std::string_view text);
// "'file' could not be written: reason"
std::string FileNotWritten(std::string_view file, std::string_view reason);
// "'file': reason"
std::string FileProblem(std::string_view file, std::string_view reason);
// "'file' reason", for a reason that reads on from the name ("cannot be written")
std::string FileThat(std::string_view file, std::string_view reason);
std::string CurrentFolderUnreadable(std::string_view reason);
std::string UnknownCommand(std::string_view word);

inline constexpr std::string_view kNoPngWriter =
    "this build of orvandel-cli cannot write PNG files";
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

}  // namespace orvandel::cli::texts
