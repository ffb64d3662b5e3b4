#include "core/wallset/windows_name_lookup.h"

#include <algorithm>
#include <system_error>

#include "core/common/ascii.h"

namespace orvandel {
namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
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
        std::string candidate = it->path().filename().native();
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
        const std::string& component = part.native();
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

std::optional<fs::path> FindWindowsName(const std::string& name, const fs::path& base) {
    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    const fs::path withSlashes(slashed);
    const fs::path anchored = withSlashes.is_absolute() ? withSlashes : base / withSlashes;
    std::error_code error;
    if (fs::exists(anchored, error)) {
        return anchored;
    }
    const fs::path start = withSlashes.is_absolute() ? withSlashes.root_path() : base;
    const fs::path rest = withSlashes.is_absolute() ? withSlashes.relative_path() : withSlashes;
    return WalkIgnoringCase(start, rest);
}

}  // namespace orvandel
