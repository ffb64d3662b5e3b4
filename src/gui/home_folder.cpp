#include "gui/home_folder.h"

#include <filesystem>
#include <system_error>

namespace orvandel {

std::string g_homeFolder;

void RecordHomeFolder() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    g_homeFolder = error ? std::string() : current.string();
}

}  // namespace orvandel
