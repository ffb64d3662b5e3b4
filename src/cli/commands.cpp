#include "cli/commands.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <system_error>

#include "cli/check_report.h"
#include "cli/command_line.h"
#include "cli/optional_formats.h"
#include "cli/report_output.h"
#include "cli/view_picture_output.h"
#include "core/common/message_texts.h"
#include "core/map/map_text.h"
#include "core/view/view_picture_size.h"
#include "core/view/view_renderer.h"

namespace orvandel::cli {

namespace fs = std::filesystem;

int RunExport(const CliRequest& /*request*/, WallSetSession& session, std::ostream& out,
              std::ostream& err) {
    const SessionReport loaded = session.Load();
    WriteReport(loaded, out, err);
    const SessionReport exported = session.Export();
    WriteReport(exported, out, err);
    return WorstExitStatus(ExitStatusOf(loaded.outcome), ExitStatusOf(exported.outcome));
}

int RunRender(const CliRequest& request, WallSetSession& session, std::ostream& out,
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

    const SessionReport loaded = session.Load();
    // With the picture on standard output, nothing else may go there.
    WriteReport(loaded, request.outputToStdout ? err : out, err);
    ViewRenderer renderer;
    if (!renderer.RenderView(session.wallSet(), map, request.evenOdd)) {
        err << "orvandel-cli: the viewport bitmap could not be created; nothing was written\n";
        return kExitFailed;
    }
    if (request.noPartial && loaded.outcome != Outcome::Done) {
        err << "orvandel-cli: " << messages::kNothingWrittenForPartialSet << "\n";
        return kExitFailed;
    }
    std::unique_ptr<CPaletteDib> scaled;
    if (request.size) {
        scaled = ScaleViewPicture(renderer.viewport(), FitViewportIn(*request.size));
        if (!scaled) {
            err << "orvandel-cli: the viewport bitmap could not be created; nothing was written\n";
            return kExitFailed;
        }
    }
    const CPaletteDib& picture = scaled ? *scaled : renderer.viewport();
    if (request.outputToStdout) {
        const SendResult sent = SendViewPicture(picture, out, request.format);
        if (sent.outcome == SendOutcome::kFailed) {
            err << "orvandel-cli: " << messages::StandardOutputNotWritten(sent.problem) << "\n";
        }
        return sent.outcome == SendOutcome::kSent ? ExitStatusOf(loaded.outcome) : kExitFailed;
    }
    const Status written = WriteViewPicture(picture, request.output, request.format);
    if (!written) {
        err << "orvandel-cli: '" << request.output.string()
            << "' could not be written: " << written.reason() << "\n";
        return kExitFailed;
    }
    out << "rendered "
        << messages::PositionReadOut(map.viewerX(), map.viewerY(),
                                     DirectionLetter(map.viewerDirection()))
        << (request.evenOdd ? " even/odd" : "") << " to " << request.output.string() << "\n";
    return ExitStatusOf(loaded.outcome);
}

int RunCheck(const CliRequest& request, WallSetSession& session, std::ostream& out,
             std::ostream& err) {
    const SessionReport loaded = session.Load();
    WriteReport(loaded, out, err);
    const CheckReport report = BuildCheckReport(session.wallSet(), session.lastLoad(),
                                                request.wallSet, request.homeFolder);
    out << report.text;
    if (!loaded.ok() || report.failedFiles > 0) {
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
    WallSetSession session(request.homeFolder);
    if (request.wallSet) {
        const SessionReport opened = session.Open(*request.wallSet);
        WriteReport(opened, out, err);
        if (!opened.ok()) {
            return ExitStatusOf(opened.outcome);
        }
    }
    switch (request.command) {
        case Command::kExport:
            return RunExport(request, session, out, err);
        case Command::kRender:
            return RunRender(request, session, out, err);
        case Command::kCheck:
            return RunCheck(request, session, out, err);
    }
    return kExitUsage;
}

}  // namespace orvandel::cli
