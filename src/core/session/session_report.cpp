#include "core/session/session_report.h"

namespace orvandel {

std::string Notice::DetailText() const {
    std::string lines;
    for (const std::string& line : details) {
        lines += line + "\n";
    }
    return lines;
}

}  // namespace orvandel
