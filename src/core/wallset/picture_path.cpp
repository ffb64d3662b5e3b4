#include "core/wallset/picture_path.h"

#include <system_error>

#include "core/common/path_text.h"
#include "core/wallset/windows_name_lookup.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

fs::path BaseFolder(const fs::path& homeFolder) {
    if (!homeFolder.empty()) {
        return homeFolder;
    }
    std::error_code error;
    fs::path current = fs::current_path(error);
    return error ? fs::path(".") : current;
}

}  // namespace

fs::path ResolvePictureName(const std::string& name, const fs::path& homeFolder) {
    if (name.empty()) {
        return {};
    }
    const fs::path base = BaseFolder(homeFolder);
    const fs::path written = PathFromUtf8(name);
    const fs::path asWritten = written.is_absolute() ? written : base / written;
    if (Exists(asWritten)) {
        return asWritten;
    }
    if (auto found = FindWindowsName(name, base)) {
        return *found;
    }
    return asWritten;
}

}  // namespace orvandel
