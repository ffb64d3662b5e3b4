#include "core/common/paths.h"

#include <system_error>

namespace orvandel {

std::filesystem::path AbsolutePathFrom(const std::filesystem::path& base,
                                       const std::filesystem::path& name) {
    if (name.empty()) {
        return name;
    }
    std::filesystem::path path = name;
    if (!path.is_absolute()) {
        if (base.empty()) {
            std::error_code error;
            path = std::filesystem::absolute(name, error);
        } else {
            path = base / name;
        }
    }
    path = path.lexically_normal();
    if (path.has_relative_path() && !path.has_filename()) {
        path = path.parent_path();
    }
    return path;
}

}  // namespace orvandel
