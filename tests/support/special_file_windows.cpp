#include "support/special_file.h"

namespace orvandel::testing {

std::filesystem::path MakeSpecialFile(const std::filesystem::path& folder,
                                      const std::string& /*name*/) {
    return folder / "NUL";
}

}  // namespace orvandel::testing
