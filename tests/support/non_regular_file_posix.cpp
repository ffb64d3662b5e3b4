#include "support/non_regular_file.h"

#include <sys/stat.h>

namespace orvandel::testing {

std::filesystem::path MakeNonRegularFile(const std::filesystem::path& folder,
                                         const std::string& name) {
    const std::filesystem::path fifo = folder / name;
    return ::mkfifo(fifo.c_str(), 0600) == 0 ? fifo : std::filesystem::path();
}

}  // namespace orvandel::testing
