#include "core/common/path_text.h"

#include <system_error>

namespace orvandel {

std::filesystem::path PathFromUtf8(std::string_view text) {
    try {
        return std::filesystem::path(std::u8string(text.begin(), text.end()));
    } catch (const std::system_error&) {
        return std::filesystem::path(std::string(text));
    }
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace orvandel
