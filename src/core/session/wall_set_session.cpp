#include "core/session/wall_set_session.h"

#include <utility>

#include "core/common/message_texts.h"
#include "core/common/paths.h"

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
    m_report = BuildWallSetReport(m_wallSet, m_lastLoad);
    const std::optional<std::string> message = m_lastLoad.Message();
    if (!message) {
        return {};
    }
    return {Outcome::Failed, {{Severity::Warning, *message, m_lastLoad.DetailLines()}}};
}

std::string WallSetSession::ExportConfirmation() const {
    return messages::ExportConfirmation(m_homeFolder.string());
}

SessionReport WallSetSession::ExportCancelled() {
    return {Outcome::Done, {{Severity::Warning, std::string(messages::kExportCancelled), {}}}};
}

SessionReport WallSetSession::Export(FileOps& ops) const {
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
