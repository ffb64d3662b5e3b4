#include "gui/home_folder.h"

#include <filesystem>
#include <system_error>

#include "core/common/path_text.h"

namespace orvandel {

std::string g_homeFolder;

void RecordHomeFolder() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    g_homeFolder = error ? std::string() : PathToUtf8(current);
}

}  // namespace orvandel
