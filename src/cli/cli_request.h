#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/common/geometry.h"
#include "core/image/picture_format.h"
#include "core/map/direction.h"
#include "core/view/view_cell_table.h"

namespace orvandel::cli {

enum class Command { kExport, kRender, kCheck, kPalette, kPieces };

// Where the viewer stands and looks: "--at X,Y,F".
struct ViewerPlacement {
    int x = 7;
    int y = 7;
    Direction direction = 0;
    friend bool operator==(const ViewerPlacement&, const ViewerPlacement&) = default;
};

// Everything a command needs, checked and resolved against the current folder at start.
struct CliRequest {
    Command command = Command::kCheck;
    std::filesystem::path homeFolder;              // absolute
    std::optional<std::filesystem::path> wallSet;  // absolute; none: the default names

    // render
    std::optional<std::filesystem::path> mapFile;
    std::vector<Point> toggles;
    ViewerPlacement placement;
    bool evenOdd = false;
    std::filesystem::path output;  // empty when the picture goes to standard output
    bool outputToStdout = false;
    PictureFormat format = PictureFormat::kBmp;
    std::optional<int> size;  // fit the picture into a size x size square
    bool noPartial = false;   // write nothing unless the whole wall set loaded

    // export
    std::filesystem::path outputFolder;    // absolute; empty: the home folder
    std::filesystem::path dependencyFile;  // absolute; empty: none
    std::string dependencyTarget;          // as given, the name a Makefile knows it by

    // export and render: replace files atomically, but do not wait for the disk
    bool noSync = false;

    // check and export
    bool strict = false;
    bool json = false;
    std::optional<std::filesystem::path> overlay;  // absolute

    // palette
    std::filesystem::path paletteSource;                 // absolute
    std::optional<std::filesystem::path> paletteOutput;  // absolute

    // pieces
    bool nulSeparated = false;

    // every command: nothing on stdout, only the problems on stderr
    bool quiet = false;
    // Problems one per line, "PATH[:LINE]: error|warning: TEXT", as a build log wants them,
    // rather than the message-box layout a terminal shows.
    bool lineDiagnostics = false;
    std::filesystem::path startFolder;  // the current folder when the tool started
};

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

}  // namespace orvandel::cli
