#include "core/wallset/picture_path.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "core/common/ascii.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

fs::path BaseFolder(const std::string& homeFolder) {
    if (!homeFolder.empty()) {
        return fs::path(homeFolder);
    }
    std::error_code error;
    fs::path current = fs::current_path(error);
    return error ? fs::path(".") : current;
}

bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::equivalent(a, b, error)) {
        return true;
    }
    return a.lexically_normal() == b.lexically_normal();
}

fs::path Anchor(const fs::path& name, const fs::path& base) {
    return name.is_absolute() ? name : base / name;
}

// The entry of `folder` whose name equals `component` in any letter case. Several can match
// on a case-sensitive file system; the smallest name wins so the choice does not depend on
// the order the folder happens to list them in.
std::optional<fs::path> FindIgnoringCase(const fs::path& folder, const std::string& component) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) {
        return std::nullopt;
    }
    std::optional<std::string> best;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error) {
            break;
        }
        std::string candidate = it->path().filename().string();
        if (EqualsIgnoringAsciiCase(candidate, component) && (!best || candidate < *best)) {
            best = std::move(candidate);
        }
    }
    if (!best) {
        return std::nullopt;
    }
    return folder / *best;
}

// Walks `relative` one component at a time from `start`, taking each component as written
// when it exists and otherwise any entry that differs only in letter case.
std::optional<fs::path> WalkIgnoringCase(const fs::path& start, const fs::path& relative) {
    fs::path current = start;
    for (const fs::path& part : relative) {
        const std::string component = part.string();
        if (component.empty() || component == ".") {
            continue;
        }
        if (component == ".." || Exists(current / part)) {
            current /= part;
            continue;
        }
        auto found = FindIgnoringCase(current, component);
        if (!found) {
            return std::nullopt;
        }
        current = std::move(*found);
    }
    return Exists(current) ? std::optional<fs::path>(current) : std::nullopt;
}

}  // namespace

fs::path ResolvePictureName(const std::string& name, const std::string& homeFolder) {
    if (name.empty()) {
        return {};
    }
    const fs::path base = BaseFolder(homeFolder);
    const fs::path asWritten = Anchor(fs::path(name), base);
    if (Exists(asWritten)) {
        return asWritten;
    }

    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    const fs::path withSlashes(slashed);
    const fs::path anchored = Anchor(withSlashes, base);
    if (Exists(anchored)) {
        return anchored;
    }

    const fs::path start = withSlashes.is_absolute() ? withSlashes.root_path() : base;
    const fs::path rest = withSlashes.is_absolute() ? withSlashes.relative_path() : withSlashes;
    if (auto found = WalkIgnoringCase(start, rest)) {
        return *found;
    }
    return asWritten;
}

WallSetFileLocation LocateWallSetFile(const std::string& name, const std::string& homeFolder,
                                      const fs::path& besideFolder) {
    WallSetFileLocation location;
    location.path = ResolvePictureName(name, homeFolder);
    location.found = !name.empty() && Exists(location.path);
    if (location.found || name.empty() || fs::path(name).is_absolute()) {
        return location;
    }
    const fs::path home = BaseFolder(homeFolder);
    location.searched.push_back(home.string());
    if (besideFolder.empty() || SameFolder(home, besideFolder)) {
        return location;
    }
    location.searched.push_back(besideFolder.string());
    fs::path beside = ResolvePictureName(name, besideFolder.string());
    if (Exists(beside)) {
        location.path = std::move(beside);
        location.found = true;
    }
    return location;
}

}  // namespace orvandel
