#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/status.h"
#include "core/wallset/profile_reader.h"

namespace orvandel {

// The wall-set document keeps nothing of its file but the path: every value is read from disk
// when the wall set is loaded, so an edited file takes effect at the next reload.
class WallSetDocument {
public:
    WallSetDocument() = default;  // untitled: every key takes its default

    // Opens a file as the document: refused when it cannot be opened for reading, in which
    // case the document keeps its previous path. A relative name is made absolute.
    Status Open(const std::filesystem::path& fileName);

    const std::filesystem::path& path() const { return m_path; }
    std::string ReadSetting(std::string_view section, std::string_view key,
                            std::string_view defaultValue) const;
    // Several keys of a section, reading the file once.
    std::vector<std::string> ReadSettings(std::string_view section,
                                          std::span<const ProfileQuery> queries) const;

private:
    std::filesystem::path m_path;
};

}  // namespace orvandel
