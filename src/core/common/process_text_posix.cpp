#include "core/common/process_text.h"

namespace orvandel {

std::vector<std::string> ProgramArgumentsAsUtf8(int argc, const char* const* argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void ShowUtf8OnConsole() {}

}  // namespace orvandel
