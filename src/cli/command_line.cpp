#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/position_arguments.h"
#include "cli/terminal.h"
#include "cli/view_picture_output.h"
#include "core/common/path_text.h"
#include "core/common/paths.h"

#ifndef ORVANDEL_VERSION
#define ORVANDEL_VERSION "unknown"
#endif

namespace orvandel::cli {

namespace {

namespace fs = std::filesystem;

struct RawArguments {
    std::string home;
    std::string wallSet;
    std::string map;
    std::vector<std::string> toggles;
    std::string at = "7,7,N";
    bool evenOdd = false;
    std::string output;
    std::string format;
    int size = 0;
    bool noPartial = false;
    std::string outputFolder;
    bool strict = false;
    bool nulSeparated = false;
    bool quiet = false;
    bool json = false;
    std::string overlay;
    std::string paletteSource;
    std::string paletteOutput;
    std::string depfile;
    std::string depfileTarget;
    bool noSync = false;
    std::string diagnostics = "auto";
};

void AddDiagnosticsOption(CLI::App& command, RawArguments& raw) {
    command
        .add_option("--diagnostics", raw.diagnostics,
                    "line: one line per problem, PATH[:LINE]: error|warning: TEXT; block: the "
                    "terminal layout; auto (default): line unless stderr is a terminal")
        ->check(CLI::IsMember({"auto", "line", "block"}))
        ->type_name("STYLE");
}

void AddCommonOptions(CLI::App& command, RawArguments& raw) {
    command
        .add_option("--home", raw.home,
                    "Folder holding wallpalette.pal, the pictures and the exported files "
                    "(default: the current folder)")
        ->type_name("DIR");
    command
        .add_option("WALLSET", raw.wallSet,
                    "The .Pelorim file naming the six pictures (default: the default names)")
        ->type_name("WALLSET");
    command.add_flag("-q,--quiet", raw.quiet,
                     "Print nothing when all is well, and only the problems otherwise");
    AddDiagnosticsOption(command, raw);
}

fs::path AbsoluteFrom(const fs::path& startFolder, const std::string& name) {
    return AbsolutePathFrom(startFolder, PathFromUtf8(name));
}

constexpr std::string_view kStandardOutputName = "-";
// Thumbnails go up to 1024 pixels; far beyond that a picture is only a way to fill the disk.
constexpr int kLargestSize = 8192;

bool IsCommandName(std::string_view word) {
    return word == "export" || word == "render" || word == "check" || word == "palette" ||
           word == "pieces";
}

struct UsageProblem {
    std::string text;
};

// "-" is standard output, BMP unless --format says otherwise; a file takes its format from
// --format or else from its name's ending.
std::optional<UsageProblem> ResolveOutput(const RawArguments& raw, const fs::path& startFolder,
                                          CliRequest& request) {
    const std::optional<ViewPictureFormat> named =
        raw.format.empty() ? std::nullopt : ViewPictureFormatNamed(raw.format);
    if (raw.output == kStandardOutputName) {
        request.outputToStdout = true;
        request.format = named.value_or(ViewPictureFormat::kBmp);
        return std::nullopt;
    }
    const std::optional<ViewPictureFormat> format =
        named ? named : ViewPictureFormatFor(raw.output);
    if (!format || !fs::path(raw.output).has_filename()) {
        return UsageProblem{"--output '" + raw.output +
                            "': the name must end in .bmp or .png, or --format must name the "
                            "format"};
    }
    request.format = *format;
    request.output = AbsoluteFrom(startFolder, raw.output);
    return std::nullopt;
}

std::optional<UsageProblem> ResolveRequest(const RawArguments& raw, const fs::path& startFolder,
                                           CliRequest& request) {
    std::error_code error;
    if (raw.home.empty()) {
        request.homeFolder = startFolder;
    } else {
        request.homeFolder = AbsoluteFrom(startFolder, raw.home);
        if (!fs::exists(request.homeFolder, error)) {
            return UsageProblem{"home folder '" + raw.home + "' does not exist"};
        }
        if (!fs::is_directory(request.homeFolder, error)) {
            return UsageProblem{"home folder '" + raw.home + "' is not a folder"};
        }
    }
    if (!raw.wallSet.empty()) {
        request.wallSet = AbsoluteFrom(startFolder, raw.wallSet);
    }
    if (request.command == Command::kPalette) {
        request.paletteSource = AbsoluteFrom(startFolder, raw.paletteSource);
        if (!raw.paletteOutput.empty()) {
            request.paletteOutput = AbsoluteFrom(startFolder, raw.paletteOutput);
        }
        return std::nullopt;
    }
    if (request.command == Command::kCheck && !raw.overlay.empty()) {
        if (!raw.overlay.ends_with(".png") && !raw.overlay.ends_with(".PNG")) {
            return UsageProblem{"--overlay '" + raw.overlay + "': the name must end in .png"};
        }
        request.overlay = AbsoluteFrom(startFolder, raw.overlay);
    }
    if (!raw.outputFolder.empty()) {
        request.outputFolder = AbsoluteFrom(startFolder, raw.outputFolder);
    }
    if (!raw.depfile.empty()) {
        request.dependencyFile = AbsoluteFrom(startFolder, raw.depfile);
        request.dependencyTarget = raw.depfileTarget.empty() ? raw.depfile : raw.depfileTarget;
    }
    if (request.command != Command::kRender) {
        return std::nullopt;
    }

    if (!raw.map.empty()) {
        request.mapFile = AbsoluteFrom(startFolder, raw.map);
    }
    for (const std::string& toggle : raw.toggles) {
        const std::optional<Point> cell = ParseCellArgument(toggle);
        if (!cell) {
            return UsageProblem{"--toggle '" + toggle +
                                "': expected X,Y with X and Y from 0 to 15"};
        }
        request.toggles.push_back(*cell);
    }
    const std::optional<ViewerPlacement> placement = ParsePlacementArgument(raw.at);
    if (!placement) {
        return UsageProblem{"--at '" + raw.at +
                            "': expected X,Y,F with X and Y from 0 to 15 and F one of N, E, S, W"};
    }
    request.placement = *placement;
    request.evenOdd = raw.evenOdd;
    request.noPartial = raw.noPartial;
    if (raw.size > 0) {
        request.size = raw.size;
    }
    return ResolveOutput(raw, startFolder, request);
}

}  // namespace

ParseOutcome ParseCommandLine(int argc, const char* const* argv, const fs::path& startFolder,
                              std::ostream& out, std::ostream& err) {
    CLI::App app{"Checks, renders and exports Orvandel wall sets without a display.",
                 "orvandel-cli"};
    app.set_version_flag("--version", std::string("orvandel-cli ") + ORVANDEL_VERSION);
    app.require_subcommand(1);

    RawArguments raw;
    CLI::App* exportCommand = app.add_subcommand(
        "export", "Write the 28 wall-piece pictures (Wall_*.bmp) into the home folder");
    exportCommand
        ->add_option("--output", raw.outputFolder,
                     "Write the pictures into DIR instead, creating it if needed; pictures "
                     "and palette are still read from the home folder")
        ->type_name("DIR");
    exportCommand->add_flag("--strict", raw.strict,
                            "Write nothing, and fail, when check --strict would fail");
    exportCommand
        ->add_option("--depfile", raw.depfile,
                     "Also write a Make dependency file: its target depends on the wall-set "
                     "file, the palette, the pictures and the 28 outputs")
        ->type_name("FILE");
    exportCommand
        ->add_option("--depfile-target", raw.depfileTarget,
                     "The dependency file's target, a stamp the Makefile touches after the "
                     "export (default: FILE itself)")
        ->type_name("NAME");
    exportCommand->add_flag("--no-sync", raw.noSync,
                            "Do not wait for each file to reach the disk (still replaced "
                            "atomically), for build trees that can be thrown away");
    AddCommonOptions(*exportCommand, raw);
    exportCommand->footer(
        "Files whose bytes would not change are left untouched, times included.\n"
        "Example: orvandel-cli export --strict --home art/stone --output build/stone "
        "stone.Pelorim");

    CLI::App* renderCommand =
        app.add_subcommand("render", "Render the first-person view into a .bmp or .png file");
    renderCommand->add_option("--at", raw.at, "Viewer square and facing (default 7,7,N)")
        ->type_name("X,Y,F");
    renderCommand->add_flag("--even-odd", raw.evenOdd, "Simulate the even/odd wall drawing");
    renderCommand
        ->add_option("--map", raw.map,
                     "Test map: 16 lines of 16 characters, '#' wall, '.' open floor")
        ->type_name("FILE");
    renderCommand
        ->add_option("--toggle", raw.toggles,
                     "Flip square X,Y between wall and open floor; repeatable, applied in order")
        ->allow_extra_args(false)
        ->type_name("X,Y");
    renderCommand
        ->add_option("--output", raw.output,
                     "Picture to write: NAME.bmp or NAME.png, or - for standard output")
        ->required()
        ->type_name("FILE");
    renderCommand
        ->add_option("--format", raw.format,
                     "bmp or png, whatever the name's ending (default: the ending; bmp for -)")
        ->check(CLI::IsMember({"bmp", "png"}, CLI::ignore_case))
        ->type_name("FORMAT");
    renderCommand
        ->add_option("--size", raw.size,
                     "Fit the picture into N x N pixels: the largest whole scale, or a smooth "
                     "reduction below 1x")
        ->check(CLI::Range(1, kLargestSize))
        ->type_name("N");
    renderCommand->add_flag("--no-partial", raw.noPartial,
                            "Write nothing unless the palette and every picture loaded");
    renderCommand->add_flag("--no-sync", raw.noSync,
                            "Do not wait for the picture to reach the disk (still replaced "
                            "atomically)");
    AddCommonOptions(*renderCommand, raw);
    renderCommand->footer(
        "Example: orvandel-cli render --home art/stone --at 7,7,N --output view.png stone.Pelorim");

    CLI::App* checkCommand =
        app.add_subcommand("check", "Report what loads, what each piece covers, and colour fits");
    checkCommand->add_flag("--strict", raw.strict,
                           "Count uncovered pieces, approximated colours and wall-set file "
                           "warnings as failures");
    checkCommand->add_flag("--json", raw.json,
                           "Write the report to stdout as one JSON object, for scripts");
    checkCommand
        ->add_option("--overlay", raw.overlay,
                     "Also write a PNG sheet of the six pictures with approximated, see-through "
                     "and missing pixels marked")
        ->type_name("FILE.png");
    AddCommonOptions(*checkCommand, raw);
    checkCommand->footer(
        "The report goes to stdout, each problem to stderr.\n"
        "Example: orvandel-cli check --strict --quiet --home art/stone stone.Pelorim");

    CLI::App* piecesCommand = app.add_subcommand(
        "pieces", "List the 28 file names that export writes, one per line, in table order");
    piecesCommand->add_flag("-0,--null", raw.nulSeparated,
                            "End each name with a NUL byte instead of a line break, for xargs -0");
    piecesCommand->footer("Example: orvandel-cli pieces -0 | xargs -0 -I{} cp build/{} game/");

    CLI::App* paletteCommand = app.add_subcommand(
        "palette",
        "Print the 16 colours of a palette or an indexed picture, or write them as "
        "a wallpalette.pal");
    paletteCommand
        ->add_option("FILE", raw.paletteSource,
                     "A RIFF, JASC-PAL or GIMP palette, or an indexed picture")
        ->required()
        ->type_name("FILE");
    paletteCommand
        ->add_option("--output", raw.paletteOutput,
                     "Write the 16 colours to this file as a RIFF palette")
        ->type_name("OUT.pal");
    AddDiagnosticsOption(*paletteCommand, raw);
    paletteCommand->footer(
        "Example: orvandel-cli palette art/stone/0086.bmp --output art/stone/wallpalette.pal");

    // CLI11 would call a misspelt command merely a missing one.
    if (argc > 1 && argv[1][0] != '-' && !IsCommandName(argv[1])) {
        err << "orvandel-cli: unknown command '" << argv[1]
            << "' (expected export, render, check, palette or pieces)\n";
        return ParseOutcome{std::nullopt, kExitUsage};
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e, out, err);
        return ParseOutcome{std::nullopt, status == 0 ? kExitOk : kExitUsage};
    }

    CliRequest request;
    if (exportCommand->parsed()) {
        request.command = Command::kExport;
    } else if (renderCommand->parsed()) {
        request.command = Command::kRender;
    } else if (paletteCommand->parsed()) {
        request.command = Command::kPalette;
    } else if (piecesCommand->parsed()) {
        request.command = Command::kPieces;
    } else {
        request.command = Command::kCheck;
    }
    request.strict = raw.strict;
    request.nulSeparated = raw.nulSeparated;
    request.quiet = raw.quiet;
    request.json = raw.json;
    request.noSync = raw.noSync;
    request.startFolder = startFolder;
    request.lineDiagnostics =
        raw.diagnostics == "line" || (raw.diagnostics == "auto" && !IsStandardErrorTerminal());
    if (const std::optional<UsageProblem> problem = ResolveRequest(raw, startFolder, request)) {
        err << "orvandel-cli: " << problem->text << "\n";
        return ParseOutcome{std::nullopt, kExitUsage};
    }
    return ParseOutcome{std::move(request), kExitOk};
}

}  // namespace orvandel::cli
