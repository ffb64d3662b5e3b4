#include "core/wallset/windows_name_lookup.h"

namespace orvandel {

std::optional<std::filesystem::path> FindWindowsName(const std::string& /*name*/,
                                                     const std::filesystem::path& /*base*/) {
    return std::nullopt;
}

}  // namespace orvandel
