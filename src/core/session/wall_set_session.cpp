#include "core/session/wall_set_session.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <utility>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/common/paths.h"
#include "core/image/unsynced_file_ops.h"
#include "core/map/map_text.h"
#include "core/report/report_problems.h"
#include "core/wallset/picture_path.h"
#include "core/wallset/wall_set_lint.h"
#include "core/wallset/wallset_keys.h"

namespace orvandel {
namespace {

// Nothing when the folder exists or was made; otherwise why not.
std::optional<std::string> MakeOutputFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error) {
        return std::nullopt;
    }
    if (std::filesystem::exists(folder, error) && !std::filesystem::is_directory(folder, error)) {
        return std::string(messages::kNotAFolder);
    }
    return WriteFailureReason(error);
}

ExportRun ExportWroteNothing(std::string text, std::vector<std::string> details,
                             std::vector<Diagnostic> diagnostics) {
    return {SessionReport{Outcome::Failed,
                          {{Severity::Warning, std::move(text), std::move(details)}},
                          std::move(diagnostics)},
            std::nullopt,
            {}};
}

Diagnostic Error(std::filesystem::path file, std::string text) {
    return {Diagnostic::Level::kError, std::move(file), 0, std::move(text)};
}

// One line per file that failed; a name left empty is blamed on the wall-set file that left it
// so.
std::vector<Diagnostic> LoadDiagnostics(const LoadReport& load,
                                        const std::filesystem::path& wallSetFile) {
    std::vector<Diagnostic> diagnostics;
    if (!load.paletteLoaded) {
        diagnostics.push_back(Error(load.paletteFile.path, load.paletteReason));
    }
    for (const FailedPicture& failed : load.failedPictures) {
        const std::filesystem::path& file =
            load.pictureFiles[static_cast<std::size_t>(failed.slot)].path;
        if (file.empty()) {
            diagnostics.push_back(
                Error(wallSetFile, std::string("key ") +
                                       kWallSetKeys[static_cast<std::size_t>(failed.slot)].key +
                                       ": " + failed.reason));
        } else {
            diagnostics.push_back(Error(file, failed.reason));
        }
    }
    return diagnostics;
}

// Pictures that failed for one and the same reason failed for one cause, a folder that cannot
// be written to, say: that is one line, not one per picture.
std::vector<Diagnostic> ExportFailureDiagnostics(const ExportReport& exported,
                                                 const std::filesystem::path& folder) {
    std::vector<Diagnostic> diagnostics;
    const auto& reasons = exported.failureReasons;
    const bool oneCause = reasons.size() > 1 &&
                          std::all_of(reasons.begin(), reasons.end(),
                                      [&reasons](const std::string& r) { return r == reasons[0]; });
    if (oneCause) {
        diagnostics.push_back(
            Error(folder, messages::PicturesNotWritten(reasons.size(), reasons.front())));
        return diagnostics;
    }
    for (std::size_t i = 0; i < exported.failed.size() && i < reasons.size(); ++i) {
        diagnostics.push_back(Error(folder / PathFromUtf8(exported.failed[i]), reasons[i]));
    }
    return diagnostics;
}

// A dependency file names a file as make reads names: blanks and '#' escaped with a backslash,
// '$' doubled.
std::string MakeName(const std::string& name) {
    std::string escaped;
    for (const char c : name) {
        if (c == ' ' || c == '\t' || c == '#') {
            escaped += '\\';
        } else if (c == '$') {
            escaped += '$';
        }
        escaped += c;
    }
    return escaped;
}

}  // namespace

std::string DependencyFileText(const std::string& target,
                               const std::vector<std::filesystem::path>& outputs,
                               const std::vector<std::filesystem::path>& inputs) {
    // The target depends on the inputs and on the outputs themselves, so a deleted picture is
    // exported again. Every file also gets an empty rule of its own: make then neither stops at
    // one that is missing nor ever runs anything for it, and rebuilds the target instead.
    std::string text = MakeName(target) + ":";
    std::vector<std::string> names;
    for (const auto& group : {&inputs, &outputs}) {
        for (const std::filesystem::path& file : *group) {
            names.push_back(MakeName(PathToUtf8(file)));
        }
    }
    for (const std::string& name : names) {
        text += " \\\n  " + name;
    }
    text += "\n";
    for (const std::string& name : names) {
        text += "\n" + name + ":\n";
    }
    return text;
}

namespace {}  // namespace

WallSetSession::WallSetSession(std::filesystem::path homeFolder)
    : m_homeFolder(std::move(homeFolder)) {}

SessionReport WallSetSession::Open(const std::filesystem::path& wallSetFile) {
    const std::filesystem::path path = AbsolutePathFrom(m_homeFolder, wallSetFile);
    const Status opened = m_document.Open(path);
    if (opened) {
        return {};
    }
    return {
        Outcome::Refused,
        {{Severity::Warning, messages::CannotOpenWallSet(PathToUtf8(path), opened.reason()), {}}},
        {Error(path, opened.reason())}};
}

SessionReport WallSetSession::Load(Lint lint) {
    m_lastLoad = LoadWallSet(m_wallSet, m_document, m_homeFolder);
    m_lastLoadWasLive = false;
    m_hadGoodPalette = m_hadGoodPalette || m_lastLoad.paletteLoaded;
    m_report = BuildWallSetReport(m_wallSet, m_lastLoad,
                                  lint == Lint::kWallSetFile ? LintWallSetFile(m_document.path())
                                                             : m_report.wallSetFileWarnings);
    const std::optional<std::string> message = m_lastLoad.Message();
    if (!message) {
        return {};
    }
    return {Outcome::Failed,
            {{Severity::Warning, *message, m_lastLoad.DetailLines()}},
            LoadDiagnostics(m_lastLoad, m_document.path())};
}

WallSetReport WallSetSession::ReportWithColourLists() const {
    WallSetReport report = m_report;
    ListApproximatedColours(report, m_wallSet);
    return report;
}

std::vector<std::filesystem::path> WallSetSession::LoadedFiles() const {
    std::vector<std::filesystem::path> files;
    const auto add = [&files](const std::filesystem::path& file) {
        if (!file.empty() && std::find(files.begin(), files.end(), file) == files.end()) {
            files.push_back(file);
        }
    };
    add(m_document.path());
    add(m_lastLoad.paletteFile.path);
    for (const WallSetFileLocation& picture : m_lastLoad.pictureFiles) {
        add(picture.path);
    }
    return files;
}

SessionReport WallSetSession::LiveReload() {
    m_lastLoad = LoadWallSet(m_wallSet, m_document, m_homeFolder, LoadMode::kKeepLastGood);
    m_lastLoadWasLive = true;
    m_hadGoodPalette = m_hadGoodPalette || m_lastLoad.paletteLoaded;
    // The lint is for a check someone asked for; a reload that follows every save of the file
    // keeps what the last full load found.
    m_report = BuildWallSetReport(m_wallSet, m_lastLoad, m_report.wallSetFileWarnings);
    if (m_lastLoad.ok()) {
        return {};
    }
    return {Outcome::Failed,
            {{Severity::Warning, std::string(messages::kLiveReloadKept), m_lastLoad.DetailLines()}},
            LoadDiagnostics(m_lastLoad, m_document.path())};
}

WallSetSession::Inputs WallSetSession::InputFiles() const {
    Inputs inputs;
    auto addFolder = [&inputs](const std::filesystem::path& folder) {
        if (!folder.empty() && std::find(inputs.folders.begin(), inputs.folders.end(), folder) ==
                                   inputs.folders.end()) {
            inputs.folders.push_back(folder);
        }
    };
    auto addFile = [&](const std::filesystem::path& file) {
        if (std::find(inputs.files.begin(), inputs.files.end(), file) == inputs.files.end()) {
            inputs.files.push_back(file);
        }
        addFolder(file.parent_path());
    };

    const std::filesystem::path& wallSetFile = m_document.path();
    const std::filesystem::path beside =
        wallSetFile.empty() ? std::filesystem::path() : wallSetFile.parent_path();
    if (!wallSetFile.empty()) {
        addFile(wallSetFile);
    }
    // The names the last load read: the files watched are the ones shown, and the wall-set
    // file is not read a second time for them.
    std::vector<std::string> names{kPaletteFileName};
    names.insert(names.end(), m_lastLoad.names.begin(), m_lastLoad.names.end());
    for (std::size_t slot = 0; slot < m_lastLoad.rawNames.size(); ++slot) {
        if (m_lastLoad.rawNames[slot] != m_lastLoad.names[slot]) {
            names.push_back(m_lastLoad.rawNames[slot]);  // a name in a Windows code page
        }
    }
    for (const std::string& name : names) {
        if (name.empty()) {
            continue;
        }
        const WallSetFileLocation location = LocateWallSetFile(name, m_homeFolder, beside);
        if (location.found) {
            addFile(location.path);
            continue;
        }
        // A missing file may appear later, in any folder it was looked for in.
        addFolder(location.path.parent_path());
        for (const std::string& folder : location.searched) {
            addFolder(PathFromUtf8(folder));
        }
    }
    return inputs;
}

SessionReport WallSetSession::OpenMap(const std::filesystem::path& file) {
    MapTextResult read = ReadMapFile(AbsolutePathFrom(m_homeFolder, file));
    if (!read.map) {
        return {
            Outcome::Refused,
            {{Severity::Warning, messages::CannotReadTestMap(PathToUtf8(file), read.error), {}}},
            {Error(AbsolutePathFrom(m_homeFolder, file), read.error)}};
    }
    m_map = *read.map;
    return {};
}

SessionReport WallSetSession::Render(bool evenOdd) {
    if (!m_renderer.RenderView(m_wallSet, m_map, evenOdd)) {
        return {Outcome::Failed,
                {{Severity::Warning, std::string(messages::kViewportBitmapFailed), {}}},
                {Error({}, std::string(messages::kViewportBitmapFailed))}};
    }
    return {};
}

RenderRun WallSetSession::RenderPicture(const RenderOptions& options) {
    RenderRun run;
    if (options.noPartial && !m_lastLoad.ok()) {
        run.report = {
            Outcome::Failed,
            {{Severity::Warning, std::string(messages::kNothingWrittenForPartialSet), {}}},
            {Error({}, std::string(messages::kNothingWrittenForPartialSet))}};
        return run;
    }
    run.report = Render(options.evenOdd);
    if (!run.report.ok()) {
        return run;
    }
    run.picture = ScaleViewPicture(viewport(), options.size.value_or(ViewPictureAtScale(1)));
    if (!run.picture) {
        run.report = {Outcome::Failed,
                      {{Severity::Warning, std::string(messages::kViewportBitmapFailed), {}}},
                      {Error({}, std::string(messages::kViewportBitmapFailed))}};
        return run;
    }
    if (!m_lastLoad.ok()) {
        run.report.outcome = Outcome::Failed;
    }
    return run;
}

CheckRun WallSetSession::Check(bool strict) const {
    CheckRun run{
        Outcome::Done, StrictProblemLines(m_report, m_document.path()),
        StrictProblemDiagnostics(m_report, m_document.path(),
                                 strict ? Diagnostic::Level::kError : Diagnostic::Level::kWarning)};
    const bool failed = !m_lastLoad.ok() || m_report.FailedFiles() > 0;
    if (failed || (strict && !m_report.StrictOk())) {
        run.outcome = Outcome::Failed;
    }
    return run;
}

std::string WallSetSession::ExportConfirmation() const {
    return messages::ExportConfirmation(PathToUtf8(m_homeFolder));
}

SessionReport WallSetSession::ExportCancelled() {
    return {Outcome::Done, {{Severity::Warning, std::string(messages::kExportCancelled), {}}}, {}};
}

SessionReport WallSetSession::Export(FileOps& ops) const {
    return Export(ExportOptions{}, ops).report;
}

ExportRun WallSetSession::Export(const ExportOptions& options, FileOps& ops) const {
    if (!m_lastLoad.paletteLoaded) {
        const Diagnostic paletteError = Error(
            m_lastLoad.paletteFile.path, std::string(messages::kNothingExportedWithoutPalette));
        if (m_lastLoadWasLive && m_hadGoodPalette) {
            return ExportWroteNothing(messages::ExportAfterMissedPalette(m_lastLoad.paletteReason),
                                      {}, {paletteError});
        }
        if (options.loadJustShown) {
            // The load's own report has said why the palette failed; said once is enough.
            return ExportWroteNothing(std::string(messages::kNothingExported), {}, {paletteError});
        }
        return ExportWroteNothing(messages::ExportWithoutPalette(m_lastLoad.paletteReason), {},
                                  {paletteError});
    }
    if (options.strict && !m_report.StrictOk()) {
        // The load's own report has named the failed files; these are the rest.
        std::vector<std::string> problems = StrictProblemLines(m_report, m_document.path());
        const std::size_t count =
            static_cast<std::size_t>(m_report.FailedFiles()) + problems.size();
        std::vector<Diagnostic> diagnostics =
            StrictProblemDiagnostics(m_report, m_document.path(), Diagnostic::Level::kError);
        diagnostics.push_back(Error({}, messages::ExportRefusedStrict(count)));
        return ExportWroteNothing(messages::ExportRefusedStrict(count), std::move(problems),
                                  std::move(diagnostics));
    }
    std::filesystem::path folder = m_homeFolder;
    if (!options.outputFolder.empty()) {
        folder = AbsolutePathFrom(m_homeFolder, options.outputFolder);
        if (const std::optional<std::string> problem = MakeOutputFolder(folder)) {
            const std::string text = messages::OutputFolderUnusable(PathToUtf8(folder), *problem);
            return ExportWroteNothing(text, {}, {Error(folder, text)});
        }
    }

    ExportRun run;
    SessionReport& report = run.report;
    FailedSlots failedSlots;
    for (const FailedPicture& failed : m_lastLoad.failedPictures) {
        failedSlots[static_cast<std::size_t>(failed.slot)] = messages::PictureNotLoaded(
            kWallSetKeys[static_cast<std::size_t>(failed.slot)].key, failed.name, failed.reason);
    }
    UnsyncedFileOps unsynced(ops);
    FileOps& writer = options.syncToDisk ? ops : unsynced;
    const ExportReport exported = ExportWallPieces(m_wallSet, folder, writer, failedSlots);
    run.tally = ExportTally{PathToUtf8(folder), exported.written.size(), exported.unchanged.size(),
                            exported.failed.size()};
    run.warnings = ExportWarnings(m_report);
    if (!exported.bitmapCreated) {
        // "export finished" alone would claim pictures that were never written.
        report.outcome = Outcome::Failed;
        report.notices.push_back(
            {Severity::Warning, std::string(messages::kExportBitmapFailed), {}});
        report.diagnostics.push_back(Error({}, std::string(messages::kExportBitmapFailed)));
    }
    if (const std::optional<std::string> failure = exported.FailureMessage()) {
        report.outcome = Outcome::Failed;
        report.notices.push_back({Severity::Warning, *failure, exported.FailureDetails()});
        const std::vector<Diagnostic> failures = ExportFailureDiagnostics(exported, folder);
        report.diagnostics.insert(report.diagnostics.end(), failures.begin(), failures.end());
    }
    if (!options.dependencyFile.empty()) {
        std::vector<std::filesystem::path> outputs;
        for (const ExportPicture& picture : ExportPictureList()) {
            outputs.push_back(folder / PathFromUtf8(picture.fileName));
        }
        const std::string text =
            DependencyFileText(options.dependencyTarget, outputs, LoadedFiles());
        const std::array<std::span<const std::uint8_t>, 1> chunks{std::span<const std::uint8_t>(
            reinterpret_cast<const std::uint8_t*>(text.data()), text.size())};
        const Status written = WriteFileAtomically(options.dependencyFile, chunks, writer);
        if (!written) {
            const std::string problem = messages::DependencyFileNotWritten(
                PathToUtf8(options.dependencyFile), written.reason());
            report.outcome = Outcome::Failed;
            report.notices.push_back({Severity::Warning, problem, {}});
            report.diagnostics.push_back(Error(options.dependencyFile, written.reason()));
        }
    }
    report.notices.push_back({Severity::Information, std::string(messages::kExportFinished), {}});
    return run;
}

}  // namespace orvandel
