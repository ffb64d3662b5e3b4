#include "core/common/stdio_file.h"

#include <sys/types.h>

namespace orvandel {

std::FILE* OpenForReading(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "rb");
}

bool SeekFile(std::FILE* file, std::int64_t offset, int origin) {
    return ::fseeko(file, static_cast<off_t>(offset), origin) == 0;
}

std::int64_t TellFile(std::FILE* file) {
    return static_cast<std::int64_t>(::ftello(file));
}

}  // namespace orvandel
