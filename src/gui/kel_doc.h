#pragma once

#include <filesystem>

#include "core/common/status.h"
#include "core/wallset/wallset_document.h"

namespace orvandel {

// The program's one document: the wall-set file, of which it keeps only the path. Opening
// another file reuses it; it is never modified and never saved.
class CKelDoc {
public:
    Status Open(const std::filesystem::path& fileName) { return m_document.Open(fileName); }
    const WallSetDocument& document() const { return m_document; }
    const std::filesystem::path& path() const { return m_document.path(); }

private:
    WallSetDocument m_document;
};

}  // namespace orvandel
