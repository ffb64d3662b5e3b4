#include "support/non_regular_file.h"

namespace orvandel::testing {

std::filesystem::path MakeNonRegularFile(const std::filesystem::path& folder,
                                         const std::string& /*name*/) {
    return folder / "NUL";
}

}  // namespace orvandel::testing
