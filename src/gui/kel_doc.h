#pragma once

#include <filesystem>
#include <utility>

#include "core/session/wall_set_session.h"

namespace orvandel {

// The program's one document: the wall-set session, with the wall-set file of which it keeps
// only the path. Opening another file reuses it; it is never modified and never saved.
class CKelDoc {
public:
    explicit CKelDoc(std::filesystem::path homeFolder = {}) : m_session(std::move(homeFolder)) {}

    SessionReport Open(const std::filesystem::path& fileName) { return m_session.Open(fileName); }
    const std::filesystem::path& path() const { return m_session.document().path(); }

    WallSetSession& session() { return m_session; }
    const WallSetSession& session() const { return m_session; }

private:
    WallSetSession m_session;
};

}  // namespace orvandel
