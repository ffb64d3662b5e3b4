#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_texts.h"
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
    command.add_option("--diagnostics", raw.diagnostics, texts::kDiagnosticsHelp)
        ->check(CLI::IsMember({"auto", "line", "block"}))
        ->type_name("STYLE");
}

void AddCommonOptions(CLI::App& command, RawArguments& raw) {
    command.add_option("--home", raw.home, texts::kHomeHelp)->type_name("DIR");
    command.add_option("WALLSET", raw.wallSet, texts::kWallSetHelp)->type_name("WALLSET");
    command.add_flag("-q,--quiet", raw.quiet, texts::kQuietHelp);
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
        return UsageProblem{texts::OutputNeedsFormat(raw.output)};
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
        // "art\stone\" names the folder "art\stone", as it is reported and joined later.
        if (!request.homeFolder.has_filename() && request.homeFolder.has_relative_path()) {
            request.homeFolder = request.homeFolder.parent_path();
        }
        if (!fs::exists(request.homeFolder, error)) {
            return UsageProblem{texts::HomeFolderMissing(raw.home)};
        }
        if (!fs::is_directory(request.homeFolder, error)) {
            return UsageProblem{texts::HomeNotAFolder(raw.home)};
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
            return UsageProblem{texts::OverlayNotPng(raw.overlay)};
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
            return UsageProblem{texts::BadToggle(toggle)};
        }
        request.toggles.push_back(*cell);
    }
    const std::optional<ViewerPlacement> placement = ParsePlacementArgument(raw.at);
    if (!placement) {
        return UsageProblem{texts::BadPlacement(raw.at)};
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
    CLI::App app{texts::kAbout, std::string(texts::kProgram)};
    app.set_version_flag("--version", texts::VersionLine(ORVANDEL_VERSION));
    app.require_subcommand(1);

    RawArguments raw;
    CLI::App* exportCommand = app.add_subcommand("export", texts::kExportAbout);
    exportCommand->add_option("--output", raw.outputFolder, texts::kExportOutputHelp)
        ->type_name("DIR");
    exportCommand->add_flag("--strict", raw.strict, texts::kExportStrictHelp);
    exportCommand->add_option("--depfile", raw.depfile, texts::kDepfileHelp)->type_name("FILE");
    exportCommand->add_option("--depfile-target", raw.depfileTarget, texts::kDepfileTargetHelp)
        ->type_name("NAME");
    exportCommand->add_flag("--no-sync", raw.noSync, texts::kExportNoSyncHelp);
    AddCommonOptions(*exportCommand, raw);
    exportCommand->footer(texts::kExportFooter);

    CLI::App* renderCommand = app.add_subcommand("render", texts::kRenderAbout);
    renderCommand->add_option("--at", raw.at, texts::kAtHelp)->type_name("X,Y,F");
    renderCommand->add_flag("--even-odd", raw.evenOdd, texts::kEvenOddHelp);
    renderCommand->add_option("--map", raw.map, texts::kMapHelp)->type_name("FILE");
    renderCommand->add_option("--toggle", raw.toggles, texts::kToggleHelp)
        ->allow_extra_args(false)
        ->type_name("X,Y");
    renderCommand->add_option("--output", raw.output, texts::kRenderOutputHelp)
        ->required()
        ->type_name("FILE");
    renderCommand->add_option("--format", raw.format, texts::kFormatHelp)
        ->check(CLI::IsMember({"bmp", "png"}, CLI::ignore_case))
        ->type_name("FORMAT");
    renderCommand->add_option("--size", raw.size, texts::kSizeHelp)
        ->check(CLI::Range(1, kLargestSize))
        ->type_name("N");
    renderCommand->add_flag("--no-partial", raw.noPartial, texts::kNoPartialHelp);
    renderCommand->add_flag("--no-sync", raw.noSync, texts::kRenderNoSyncHelp);
    AddCommonOptions(*renderCommand, raw);
    renderCommand->footer(texts::kRenderFooter);

    CLI::App* checkCommand = app.add_subcommand("check", texts::kCheckAbout);
    checkCommand->add_flag("--strict", raw.strict, texts::kCheckStrictHelp);
    checkCommand->add_flag("--json", raw.json, texts::kJsonHelp);
    checkCommand->add_option("--overlay", raw.overlay, texts::kOverlayHelp)->type_name("FILE.png");
    AddCommonOptions(*checkCommand, raw);
    checkCommand->footer(texts::kCheckFooter);

    CLI::App* piecesCommand = app.add_subcommand("pieces", texts::kPiecesAbout);
    piecesCommand->add_flag("-0,--null", raw.nulSeparated, texts::kNullHelp);
    piecesCommand->footer(texts::kPiecesFooter);

    CLI::App* paletteCommand = app.add_subcommand("palette", texts::kPaletteAbout);
    paletteCommand->add_option("FILE", raw.paletteSource, texts::kPaletteFileHelp)
        ->required()
        ->type_name("FILE");
    paletteCommand->add_option("--output", raw.paletteOutput, texts::kPaletteOutputHelp)
        ->type_name("OUT.pal");
    AddDiagnosticsOption(*paletteCommand, raw);
    paletteCommand->footer(texts::kPaletteFooter);

    // CLI11 would call a misspelt command merely a missing one.
    if (argc > 1 && argv[1][0] != '-' && !IsCommandName(argv[1])) {
        err << texts::ToolProblem(texts::UnknownCommand(argv[1])) << "\n";
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
        err << texts::ToolProblem(problem->text) << "\n";
        return ParseOutcome{std::nullopt, kExitUsage};
    }
    return ParseOutcome{std::move(request), kExitOk};
}

}  // namespace orvandel::cli
