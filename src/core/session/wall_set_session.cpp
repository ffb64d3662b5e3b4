#include "core/session/wall_set_session.h"

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/common/paths.h"
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

ExportRun ExportWroteNothing(std::string text, std::vector<std::string> details = {}) {
    return {
        SessionReport{Outcome::Failed, {{Severity::Warning, std::move(text), std::move(details)}}},
        std::nullopt};
}

}  // namespace

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
        {{Severity::Warning, messages::CannotOpenWallSet(PathToUtf8(path), opened.reason()), {}}}};
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
    return {Outcome::Failed, {{Severity::Warning, *message, m_lastLoad.DetailLines()}}};
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
    return {
        Outcome::Failed,
        {{Severity::Warning, std::string(messages::kLiveReloadKept), m_lastLoad.DetailLines()}}};
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
            {{Severity::Warning, messages::CannotReadTestMap(PathToUtf8(file), read.error), {}}}};
    }
    m_map = *read.map;
    return {};
}

SessionReport WallSetSession::Render(bool evenOdd) {
    if (!m_renderer.RenderView(m_wallSet, m_map, evenOdd)) {
        return {Outcome::Failed,
                {{Severity::Warning, std::string(messages::kViewportBitmapFailed), {}}}};
    }
    return {};
}

RenderRun WallSetSession::RenderPicture(const RenderOptions& options) {
    RenderRun run;
    if (options.noPartial && !m_lastLoad.ok()) {
        run.report = {
            Outcome::Failed,
            {{Severity::Warning, std::string(messages::kNothingWrittenForPartialSet), {}}}};
        return run;
    }
    run.report = Render(options.evenOdd);
    if (!run.report.ok()) {
        return run;
    }
    run.picture = ScaleViewPicture(viewport(), options.size.value_or(ViewPictureAtScale(1)));
    if (!run.picture) {
        run.report = {Outcome::Failed,
                      {{Severity::Warning, std::string(messages::kViewportBitmapFailed), {}}}};
        return run;
    }
    if (!m_lastLoad.ok()) {
        run.report.outcome = Outcome::Failed;
    }
    return run;
}

CheckRun WallSetSession::Check(bool strict) const {
    CheckRun run{Outcome::Done, StrictProblemLines(m_report, m_document.path())};
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
    return {Outcome::Done, {{Severity::Warning, std::string(messages::kExportCancelled), {}}}};
}

SessionReport WallSetSession::Export(FileOps& ops) const {
    return Export(ExportOptions{}, ops).report;
}

ExportRun WallSetSession::Export(const ExportOptions& options, FileOps& ops) const {
    if (!m_lastLoad.paletteLoaded) {
        if (m_lastLoadWasLive && m_hadGoodPalette) {
            return ExportWroteNothing(messages::ExportAfterMissedPalette(m_lastLoad.paletteReason));
        }
        if (options.loadJustShown) {
            // The load's own report has said why the palette failed; said once is enough.
            return ExportWroteNothing(std::string(messages::kNothingExported));
        }
        return ExportWroteNothing(messages::ExportWithoutPalette(m_lastLoad.paletteReason));
    }
    if (options.strict && !m_report.StrictOk()) {
        // The load's own report has named the failed files; these are the rest.
        std::vector<std::string> problems = StrictProblemLines(m_report, m_document.path());
        const std::size_t count =
            static_cast<std::size_t>(m_report.FailedFiles()) + problems.size();
        return ExportWroteNothing(messages::ExportRefusedStrict(count), std::move(problems));
    }
    std::filesystem::path folder = m_homeFolder;
    if (!options.outputFolder.empty()) {
        folder = AbsolutePathFrom(m_homeFolder, options.outputFolder);
        if (const std::optional<std::string> problem = MakeOutputFolder(folder)) {
            return ExportWroteNothing(messages::OutputFolderUnusable(PathToUtf8(folder), *problem));
        }
    }

    ExportRun run;
    SessionReport& report = run.report;
    FailedSlots failedSlots;
    for (const FailedPicture& failed : m_lastLoad.failedPictures) {
        failedSlots[static_cast<std::size_t>(failed.slot)] = messages::PictureNotLoaded(
            kWallSetKeys[static_cast<std::size_t>(failed.slot)].key, failed.name, failed.reason);
    }
    const ExportReport exported = ExportWallPieces(m_wallSet, folder, ops, failedSlots);
    run.tally = ExportTally{PathToUtf8(folder), exported.written.size(), exported.unchanged.size(),
                            exported.failed.size()};
    if (!exported.bitmapCreated) {
        // "export finished" alone would claim pictures that were never written.
        report.outcome = Outcome::Failed;
        report.notices.push_back(
            {Severity::Warning, std::string(messages::kExportBitmapFailed), {}});
    }
    if (const std::optional<std::string> failure = exported.FailureMessage()) {
        report.outcome = Outcome::Failed;
        report.notices.push_back({Severity::Warning, *failure, exported.FailureDetails()});
    }
    report.notices.push_back({Severity::Information, std::string(messages::kExportFinished), {}});
    return run;
}

}  // namespace orvandel
