#include "core/wallset/wall_set_folder.h"

#include <system_error>

#include "core/common/ascii.h"
#include "core/common/path_text.h"

namespace orvandel {

std::optional<std::filesystem::path> SingleWallSetFileIn(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> found;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
        if (error) {
            return std::nullopt;
        }
        if (!EqualsIgnoringAsciiCase(PathToUtf8(it->path().extension()), ".Pelorim") ||
            !it->is_regular_file(error)) {
            continue;
        }
        if (found) {
            return std::nullopt;
        }
        found = it->path();
    }
    return found;
}

}  // namespace orvandel
