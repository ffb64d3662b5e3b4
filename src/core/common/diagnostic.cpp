#include "core/common/diagnostic.h"

#include "core/common/display_text.h"
#include "core/common/path_text.h"

namespace orvandel {
namespace {

std::filesystem::path ShownPath(const std::filesystem::path& file,
                                const std::filesystem::path& startFolder) {
    if (startFolder.empty() || !file.is_absolute()) {
        return file;
    }
    const std::filesystem::path relative = file.lexically_relative(startFolder);
    if (relative.empty() || *relative.begin() == "..") {
        return file;
    }
    return relative;
}

// A text that spans lines would break the one-line promise; its breaks become "; ".
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() != ' ') {
                line += "; ";
            }
        } else {
            line += c;
        }
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == ';')) {
        line.pop_back();
    }
    return line;
}

}  // namespace

std::string DiagnosticLine(const Diagnostic& diagnostic, const std::filesystem::path& startFolder) {
    std::string line;
    if (!diagnostic.file.empty()) {
        line = DisplayText(PathToUtf8(ShownPath(diagnostic.file, startFolder)));
        if (diagnostic.line > 0) {
            line += ":" + std::to_string(diagnostic.line);
        }
        line += ": ";
    }
    line += diagnostic.level == Diagnostic::Level::kError ? "error: " : "warning: ";
    // Names and reasons come from outside: no byte of theirs may act on the terminal or the log.
    return line + DisplayText(OneLine(diagnostic.text));
}

}  // namespace orvandel
