#include "cli/cli_texts.h"

#include "core/common/display_text.h"
#include "core/common/message_texts.h"

namespace orvandel::cli::texts {

namespace {

// Names come from the command line and the file system: shown escaped, they cannot steer the
// terminal.
std::string Quoted(std::string_view text) {
    return "'" + DisplayText(text) + "'";
}

}  // namespace

std::string VersionLine(std::string_view version) {
    return std::string(kProgram) + " " + std::string(version);
}

std::string ToolProblem(std::string_view text) {
    return std::string(kProgram) + ": " + std::string(text);
}

std::string FileNotWritten(std::string_view file, std::string_view reason) {
    return messages::OutputNotWritten(file, reason);
}

std::string CouldNotBeWritten(std::string_view reason) {
    return "could not be written: " + std::string(reason);
}

std::string FileProblem(std::string_view file, std::string_view reason) {
    return Quoted(file) + ": " + std::string(reason);
}

std::string CurrentFolderUnreadable(std::string_view reason) {
    return "the current folder cannot be read: " + std::string(reason);
}

std::string UnknownCommand(std::string_view word) {
    return "unknown command " + Quoted(word) +
           " (expected export, render, check, palette or pieces)";
}

std::string OutputNeedsFormat(std::string_view output) {
    return "--output " + Quoted(output) +
           ": the name must end in .bmp or .png, or --format must name the format";
}

std::string HomeFolderMissing(std::string_view home) {
    return "home folder " + Quoted(home) + " does not exist";
}

std::string HomeNotAFolder(std::string_view home) {
    return "home folder " + Quoted(home) + " is not a folder";
}

std::string OverlayNotPng(std::string_view overlay) {
    return "--overlay " + Quoted(overlay) + ": the name must end in .png";
}

std::string BadToggle(std::string_view toggle) {
    return "--toggle " + Quoted(toggle) + ": expected X,Y with X and Y from 0 to 15";
}

std::string BadPlacement(std::string_view at) {
    return "--at " + Quoted(at) +
           ": expected X,Y,F with X and Y from 0 to 15 and F one of N, E, S, W";
}

std::string Rendered(std::string_view position, bool evenOdd, std::string_view file) {
    return "rendered " + std::string(position) + (evenOdd ? " even/odd" : "") + " to " +
           DisplayText(file);
}

std::string PaletteWritten(std::string_view source, std::string_view output) {
    return "wrote the 16 colours of " + DisplayText(source) + " to " + DisplayText(output);
}

std::string PaletteEntry(int index, std::string_view colour, std::string_view swatch,
                         bool seeThrough) {
    return (index < 10 ? " " : "") + std::to_string(index) + "  " + std::string(colour) +
           std::string(swatch) + (seeThrough ? "  see-through" : "");
}

std::string Swatch(int red, int green, int blue) {
    return "  \x1b[48;2;" + std::to_string(red) + ";" + std::to_string(green) + ";" +
           std::to_string(blue) + "m      \x1b[0m";
}

}  // namespace orvandel::cli::texts
