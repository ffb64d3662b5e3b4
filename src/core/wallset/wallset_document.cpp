#include "core/wallset/wallset_document.h"

#include <system_error>

#include "core/common/file_reader.h"
#include "core/wallset/profile_reader.h"

namespace orvandel {

Status WallSetDocument::Open(const std::filesystem::path& fileName) {
    if (fileName.empty()) {
        return Status::Fail("no file name");
    }
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(fileName, error);
    if (error) {
        return Status::Fail("cannot find the current folder: " + error.message());
    }
    full = full.lexically_normal();
    // Only the check: the settings themselves are read afresh at every load.
    const ReadableFile file = ReadableFile::Open(full);
    if (!file.IsOpen()) {
        return Status::Fail(file.reason());
    }
    m_path = std::move(full);
    return Status::Ok();
}

std::string WallSetDocument::ReadSetting(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) const {
    return ReadProfileStringFromFile(m_path, section, key, defaultValue);
}

std::vector<std::string> WallSetDocument::ReadSettings(
    std::string_view section, std::span<const ProfileQuery> queries) const {
    return ReadProfileStringsFromFile(m_path, section, queries);
}

}  // namespace orvandel
