#include "cli/commands.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <system_error>

#include "cli/check_report.h"
#include "cli/command_line.h"
#include "cli/optional_formats.h"
#include "cli/view_picture_output.h"
#include "cli/wall_set_session.h"
#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/export/export_wall_pieces.h"
#include "core/map/map_text.h"
#include "core/view/view_renderer.h"

namespace orvandel::cli {

namespace {

namespace fs = std::filesystem;

}  // namespace

int RunExport(const CliRequest& request, const WallSetDocument& document, std::ostream& out,
              std::ostream& err) {
    const LoadedWallSet loaded = LoadWallSetAndTell(document, request.homeFolder, err);
    const ExportReport exported = ExportWallPieces(loaded.wallSet, request.homeFolder);
    bool ok = loaded.report.ok();
    if (!exported.bitmapCreated) {
        err << "orvandel-cli: the export bitmap could not be created; nothing was written\n";
        ok = false;
    }
    if (const std::optional<std::string> message = exported.FailureMessage()) {
        WriteLines(err, *message);
        ok = false;
    }
    out << messages::kExportFinished << "\n";
    return ok ? kExitOk : kExitFailed;
}

int RunRender(const CliRequest& request, const WallSetDocument& document, std::ostream& out,
              std::ostream& err) {
    MapState map;
    if (request.mapFile) {
        MapTextResult mapLoad = ReadMapFile(*request.mapFile);
        if (!mapLoad.map) {
            err << "orvandel-cli: --map '" << request.mapFile->string() << "': " << mapLoad.error
                << "\n";
            return kExitUsage;
        }
        map = *mapLoad.map;
    }
    for (const Point& cell : request.toggles) {
        map.ToggleCell(cell.x, cell.y);
    }
    map.PlaceViewer(request.placement.x, request.placement.y, request.placement.direction);

    const LoadedWallSet loaded = LoadWallSetAndTell(document, request.homeFolder, err);
    ViewRenderer renderer;
    if (!renderer.RenderView(loaded.wallSet, map, request.evenOdd)) {
        err << "orvandel-cli: the viewport bitmap could not be created; nothing was written\n";
        return kExitFailed;
    }
    const ViewPictureFormat format =
        ViewPictureFormatFor(request.output).value_or(ViewPictureFormat::kBmp);
    const Status written = WriteViewPicture(renderer.viewport(), request.output, format);
    if (!written) {
        err << "orvandel-cli: '" << PathToUtf8(request.output)
            << "' could not be written: " << written.reason() << "\n";
        return kExitFailed;
    }
    out << "rendered "
        << messages::PositionReadOut(map.viewerX(), map.viewerY(),
                                     DirectionLetter(map.viewerDirection()))
        << (request.evenOdd ? " even/odd" : "") << " to " << PathToUtf8(request.output) << "\n";
    return loaded.report.ok() ? kExitOk : kExitFailed;
}

int RunCheck(const CliRequest& request, const WallSetDocument& document, std::ostream& out,
             std::ostream& err) {
    const LoadedWallSet loaded = LoadWallSetAndTell(document, request.homeFolder, err);
    const CheckReport report =
        BuildCheckReport(loaded.wallSet, loaded.report, request.wallSet, request.homeFolder);
    out << report.text;
    if (!loaded.report.ok() || report.failedFiles > 0) {
        return kExitFailed;
    }
    if (request.strict && (report.uncoveredPieces > 0 || report.approximatedPictures > 0)) {
        return kExitFailed;
    }
    return kExitOk;
}

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    std::error_code error;
    const fs::path startFolder = fs::current_path(error);
    if (error) {
        err << "orvandel-cli: the current folder cannot be read: " << error.message() << "\n";
        return kExitUsage;
    }
    const ParseOutcome parsed = ParseCommandLine(argc, argv, startFolder, out, err);
    if (!parsed.request) {
        return parsed.exitStatus;
    }
    const CliRequest& request = *parsed.request;
    RegisterOptionalPictureDecoders();
    const std::optional<WallSetDocument> document = OpenWallSetDocument(request, err);
    if (!document) {
        return kExitUsage;
    }
    switch (request.command) {
        case Command::kExport:
            return RunExport(request, *document, out, err);
        case Command::kRender:
            return RunRender(request, *document, out, err);
        case Command::kCheck:
            return RunCheck(request, *document, out, err);
    }
    return kExitUsage;
}

}  // namespace orvandel::cli
