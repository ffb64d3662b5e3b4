#include "core/wallset/picture_path.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "core/common/ascii.h"
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

fs::path Anchor(const fs::path& name, const fs::path& base) {
    return name.is_absolute() ? name : base / name;
}

// What stays of a file name when letter case, blanks and the extension are set aside.
std::string LooseKey(const fs::path& fileName) {
    std::string key;
    for (const char c : PathToUtf8(fileName.stem())) {
        if (c != ' ' && c != '\t') {
            key += FoldAscii(c);
        }
    }
    return key;
}

}  // namespace

std::optional<std::string> SimilarPictureName(const std::string& name, const fs::path& homeFolder) {
    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    const fs::path written = PathFromUtf8(slashed);
    if (written.filename().empty()) {
        return std::nullopt;
    }
    const fs::path folder = Anchor(written, BaseFolder(homeFolder)).parent_path();
    const std::string wanted = LooseKey(written.filename());
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error || wanted.empty()) {
        return std::nullopt;
    }
    std::optional<fs::path> best;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error) {
            break;
        }
        fs::path candidate = it->path().filename();
        if (LooseKey(candidate) == wanted && it->is_regular_file(error) &&
            (!best || candidate < *best)) {
            best = std::move(candidate);
        }
    }
    if (!best) {
        return std::nullopt;
    }
    return PathToUtf8(written.parent_path() / *best);
}

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
