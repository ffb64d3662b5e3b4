#include "core/common/stdio_file.h"

namespace orvandel {

std::FILE* OpenForReading(const std::filesystem::path& path) {
    return ::_wfopen(path.c_str(), L"rb");
}

bool SeekFile(std::FILE* file, std::int64_t offset, int origin) {
    return ::_fseeki64(file, offset, origin) == 0;
}

std::int64_t TellFile(std::FILE* file) {
    return ::_ftelli64(file);
}

}  // namespace orvandel
