#pragma once

#include <filesystem>
#include <string>

namespace orvandel {

// One problem as a build log shows it: the file it is about, the line when there is one, and
// whether it fails the run.
struct Diagnostic {
    enum class Level { kError, kWarning };
    Level level = Level::kError;
    std::filesystem::path file;  // empty: no file of the set is to blame
    int line = 0;                // 0: the file as a whole
    std::string text;            // one line
};

// "PATH[:LINE]: error|warning: TEXT", the shape compilers use, so editors and CI logs link it.
// PATH is shown relative to `startFolder` when the file lies inside it.
std::string DiagnosticLine(const Diagnostic& diagnostic, const std::filesystem::path& startFolder);

}  // namespace orvandel
