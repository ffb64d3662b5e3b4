#include "cli/commands.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/report_output.h"
#include "cli/terminal.h"
#include "cli/view_picture_output.h"
#include "core/common/display_text.h"
#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/common/standard_output.h"
#include "core/export/export_wall_pieces.h"
#include "core/image/palette_file.h"
#include "core/image/unsynced_file_ops.h"
#include "core/report/check_text.h"
#include "core/report/overlay_sheet.h"
#include "core/report/report_json.h"
#include "core/report/rgb_canvas_png.h"
#include "core/view/view_picture_size.h"

namespace orvandel::cli {

namespace fs = std::filesystem;

namespace {

DiagnosticStyle StyleOf(const CliRequest& request) {
    return {request.lineDiagnostics, request.startFolder};
}

// A problem of the tool's own making about one file: a line of its own in a build log, the
// tool's usual sentence on a terminal.
void WriteFileError(const CliRequest& request, std::ostream& err, const fs::path& file,
                    const std::string& terminalText, const std::string& lineText) {
    if (request.lineDiagnostics) {
        WriteDiagnostics({{Diagnostic::Level::kError, file, 0, lineText}}, err, StyleOf(request));
        return;
    }
    err << texts::ToolProblem(terminalText) << "\n";
}

}  // namespace

int RunExport(const CliRequest& request, WallSetSession& session, std::ostream& out,
              std::ostream& err) {
    const SessionReport loaded = session.Load();
    WriteReport(loaded, out, err, StyleOf(request));
    ExportOptions options;
    options.outputFolder = request.outputFolder;
    options.strict = request.strict;
    options.loadJustShown = true;
    options.syncToDisk = !request.noSync;
    options.dependencyFile = request.dependencyFile;
    options.dependencyTarget = request.dependencyTarget;
    const ExportRun exported = session.Export(options);
    WriteReport(exported.report, out, err, StyleOf(request));
    WriteDiagnostics(exported.warnings, err, StyleOf(request));
    if (exported.tally) {
        out << messages::ExportSummary(exported.tally->written, exported.tally->unchanged,
                                       exported.tally->failed, exported.tally->folder)
            << "\n";
    }
    return WorstExitStatus(ExitStatusOf(loaded.outcome), ExitStatusOf(exported.report.outcome));
}

int RunPieces(const CliRequest& request, std::ostream& out) {
    for (const ExportPicture& picture : ExportPictureList()) {
        out << picture.fileName << (request.nulSeparated ? '\0' : '\n');
    }
    out.flush();
    return out ? kExitOk : kExitFailed;
}

int RunRender(const CliRequest& request, WallSetSession& session, std::ostream& out,
              std::ostream& err, std::ostream& data) {
    // With the picture on standard output, nothing else may go there.
    std::ostream& reportOut = request.outputToStdout ? err : out;
    if (request.mapFile) {
        const SessionReport opened = session.OpenMap(*request.mapFile);
        WriteReport(opened, reportOut, err, StyleOf(request));
        if (!opened.ok()) {
            return ExitStatusOf(opened.outcome);
        }
    }
    for (const Point& cell : request.toggles) {
        session.map().ToggleCell(cell.x, cell.y);
    }
    session.map().PlaceViewer(request.placement.x, request.placement.y,
                              request.placement.direction);

    WriteReport(session.Load(WallSetSession::Lint::kSkip), reportOut, err, StyleOf(request));
    RenderOptions options{request.evenOdd, std::nullopt, request.noPartial};
    if (request.size) {
        options.size = FitViewportIn(*request.size);
    }
    const RenderRun rendered = session.RenderPicture(options);
    WriteReport(rendered.report, reportOut, err, StyleOf(request));
    if (!rendered.picture) {
        return ExitStatusOf(rendered.report.outcome);
    }
    if (request.outputToStdout) {
        SendStandardOutputAsBytes();
        const SendResult sent = SendViewPicture(*rendered.picture, data, request.format);
        if (sent.outcome == SendOutcome::kFailed && data) {
            // Nothing was sent: the picture could not be encoded. A failed stream is said once,
            // for every command alike, when the command is done.
            err << texts::ToolProblem(sent.problem) << "\n";
        }
        return sent.outcome == SendOutcome::kSent ? ExitStatusOf(rendered.report.outcome)
                                                  : kExitFailed;
    }
    // Written into a stream such as /dev/stdout, the picture may share it with this remark.
    const bool stream =
        SystemFileOps().InspectTarget(request.output, true).kind == FileOps::TargetKind::kStream;
    UnsyncedFileOps unsynced(SystemFileOps());
    const Status written = WriteViewPicture(*rendered.picture, request.output, request.format,
                                            request.noSync ? unsynced : SystemFileOps());
    if (!written) {
        WriteFileError(request, err, request.output,
                       texts::FileNotWritten(PathToUtf8(request.output), written.reason()),
                       texts::CouldNotBeWritten(written.reason()));
        return kExitFailed;
    }
    const MapState& map = session.map();
    const std::string position = messages::PositionReadOut(map.viewerX(), map.viewerY(),
                                                           DirectionLetter(map.viewerDirection()));
    std::ostream& remark = request.quiet || !stream ? out : err;
    remark << texts::Rendered(position, request.evenOdd, PathToUtf8(request.output)) << "\n";
    return ExitStatusOf(rendered.report.outcome);
}

// The load's notices name the files that failed, the palette's failure included; the rest of
// the findings follow them on stderr, so every problem is said once.
int RunCheck(const CliRequest& request, WallSetSession& session, std::ostream& out,
             std::ostream& err, std::ostream& data) {
    // A pipeline reads stdout as one JSON object, so nothing else may go there.
    WriteReport(session.Load(), request.json ? err : out, err, StyleOf(request));
    const WallSetReport report = session.ReportWithColourLists();
    const CheckRun checked = session.Check(request.strict);
    int status = ExitStatusOf(checked.outcome);
    // Written before the report, so that the JSON can tell the status the run ends with.
    if (request.overlay) {
        const Status written =
            WriteRgbCanvasPng(ComposeOverlaySheet(session.wallSet(), report), *request.overlay);
        if (!written) {
            WriteFileError(request, err, *request.overlay,
                           texts::FileNotWritten(PathToUtf8(*request.overlay), written.reason()),
                           texts::CouldNotBeWritten(written.reason()));
            status = kExitFailed;
        }
    }
    if (request.json) {
        // The JSON is what was asked for, quiet or not.
        WriteWallSetReportJson(data, report, request.homeFolder, request.wallSet, status);
    } else {
        out << CheckText(report, request.homeFolder, request.wallSet);
    }
    data.flush();
    out.flush();
    // The load's notice named the files that failed; the rest of the problems follow it.
    if (request.lineDiagnostics) {
        WriteDiagnostics(checked.diagnostics, err, StyleOf(request));
    } else {
        for (const std::string& problem : checked.problems) {
            err << (request.strict ? "" : texts::kWarningPrefix) << problem << "\n";
        }
    }
    err.flush();
    return status;
}

int RunPalette(const CliRequest& request, std::ostream& out, std::ostream& err,
               std::ostream& remarks) {
    const PaletteOfFile read = ReadPaletteOfFile(request.paletteSource);
    if (!read.palette) {
        WriteFileError(request, err, request.paletteSource,
                       texts::FileProblem(PathToUtf8(request.paletteSource), read.reason),
                       read.reason);
        return kExitFailed;
    }
    if (request.paletteOutput) {
        const Status written = WriteRiffPalette(*request.paletteOutput, *read.palette);
        if (!written) {
            WriteFileError(
                request, err, *request.paletteOutput,
                texts::FileNotWritten(PathToUtf8(*request.paletteOutput), written.reason()),
                texts::CouldNotBeWritten(written.reason()));
            return kExitFailed;
        }
        remarks << texts::PaletteWritten(PathToUtf8(request.paletteSource),
                                         PathToUtf8(*request.paletteOutput))
                << "\n";
        return kExitOk;
    }
    const bool swatches = IsTerminal(out);
    for (int i = 0; i < Palette16::kSize; ++i) {
        const Colour colour = (*read.palette)[i];
        const std::string swatch =
            swatches ? texts::Swatch(RedOf(colour), GreenOf(colour), BlueOf(colour)) : "";
        out << texts::PaletteEntry(i, messages::ColourText(colour), swatch, i == kTransparentIndex)
            << "\n";
    }
    return kExitOk;
}

namespace {

int RunRequest(const CliRequest& request, std::ostream& out, std::ostream& err) {
    if (request.command == Command::kPieces) {
        return RunPieces(request, out);
    }
    // Quiet silences the tool's own remarks; what was asked for (a picture, JSON, colours,
    // names) is written all the same.
    std::ostream quietOut(nullptr);
    std::ostream& reportOut = request.quiet ? quietOut : out;
    if (request.command == Command::kPalette) {
        return RunPalette(request, out, err, reportOut);
    }
    WallSetSession session(request.homeFolder);
    if (request.wallSet) {
        const SessionReport opened = session.Open(*request.wallSet);
        WriteReport(opened, reportOut, err, StyleOf(request));
        if (!opened.ok()) {
            return ExitStatusOf(opened.outcome);
        }
    }
    switch (request.command) {
        case Command::kExport:
            return RunExport(request, session, reportOut, err);
        case Command::kRender:
            return RunRender(request, session, reportOut, err, out);
        case Command::kCheck:
            return RunCheck(request, session, reportOut, err, out);
        case Command::kPalette:
        case Command::kPieces:
            break;
    }
    return kExitUsage;
}

}  // namespace

int FinishStandardOutput(int status, std::ostream& out, std::ostream& err) {
    const std::optional<std::string> problem = StandardOutputProblem(out);
    if (!problem) {
        return status;
    }
    // A reader that stopped reading (`| head`) wanted no more; that ends the run quietly.
    if (!problem->empty()) {
        err << texts::ToolProblem(messages::StandardOutputNotWritten(*problem)) << "\n";
        err.flush();
    }
    return std::max(status, kExitFailed);
}

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    std::error_code error;
    const fs::path startFolder = fs::current_path(error);
    if (error) {
        err << texts::ToolProblem(texts::CurrentFolderUnreadable(error.message())) << "\n";
        return kExitUsage;
    }
    const ParseOutcome parsed = ParseCommandLine(argc, argv, startFolder, out, err);
    if (!parsed.request) {
        return parsed.exitStatus;
    }
    return FinishStandardOutput(RunRequest(*parsed.request, out, err), out, err);
}

}  // namespace orvandel::cli
