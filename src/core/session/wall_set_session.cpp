#include "core/session/wall_set_session.h"

#include <algorithm>
#include <utility>

#include "core/common/message_texts.h"
#include "core/common/paths.h"
#include "core/wallset/picture_path.h"
#include "core/wallset/wallset_keys.h"

namespace orvandel {

WallSetSession::WallSetSession(std::filesystem::path homeFolder)
    : m_homeFolder(std::move(homeFolder)) {}

SessionReport WallSetSession::Open(const std::filesystem::path& wallSetFile) {
    const std::filesystem::path path = AbsolutePathFrom(m_homeFolder, wallSetFile);
    const Status opened = m_document.Open(path);
    if (opened) {
        return {};
    }
    return {Outcome::Refused,
            {{Severity::Warning, messages::CannotOpenWallSet(path.string(), opened.reason()), {}}}};
}

SessionReport WallSetSession::Load() {
    m_lastLoad = LoadWallSet(m_wallSet, m_document, m_homeFolder.string());
    const std::optional<std::string> message = m_lastLoad.Message();
    if (!message) {
        return {};
    }
    return {Outcome::Failed, {{Severity::Warning, *message, m_lastLoad.DetailLines()}}};
}

SessionReport WallSetSession::LiveReload() {
    m_lastLoad = LoadWallSet(m_wallSet, m_document, m_homeFolder.string(), LoadMode::kKeepLastGood);
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
    std::vector<std::string> names{kPaletteFileName};
    for (const WallSetKey& key : kWallSetKeys) {
        names.push_back(m_document.ReadSetting(kWallSetSection, key.key, key.defaultName));
    }
    const std::string home = m_homeFolder.string();
    for (const std::string& name : names) {
        if (name.empty()) {
            continue;
        }
        const WallSetFileLocation location = LocateWallSetFile(name, home, beside);
        if (location.found) {
            addFile(location.path);
            continue;
        }
        // A missing file may appear later, in any folder it was looked for in.
        addFolder(location.path.parent_path());
        for (const std::string& folder : location.searched) {
            addFolder(folder);
        }
    }
    return inputs;
}

std::string WallSetSession::ExportConfirmation() const {
    return messages::ExportConfirmation(m_homeFolder.string());
}

SessionReport WallSetSession::ExportCancelled() {
    return {Outcome::Done, {{Severity::Warning, std::string(messages::kExportCancelled), {}}}};
}

SessionReport WallSetSession::Export(FileOps& ops) const {
    if (!m_lastLoad.paletteLoaded) {
        return {
            Outcome::Failed,
            {{Severity::Warning, messages::ExportWithoutPalette(m_lastLoad.paletteReason), {}}}};
    }
    SessionReport report;
    const ExportReport exported = ExportWallPieces(m_wallSet, m_homeFolder.string(), ops);
    if (!exported.bitmapCreated) {
        // "export finished" alone would claim pictures that were never written.
        report.outcome = Outcome::Failed;
        report.notices.push_back(
            {Severity::Warning, std::string(messages::kExportBitmapFailed), {}});
    }
    if (const std::optional<std::string> failure = exported.FailureMessage()) {
        report.outcome = Outcome::Failed;
        report.notices.push_back({Severity::Warning, *failure, {}});
    }
    report.notices.push_back({Severity::Information, std::string(messages::kExportFinished), {}});
    return report;
}

}  // namespace orvandel
