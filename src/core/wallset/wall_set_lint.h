#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

// Something in a wall-set file that the reader passes over without a word, and that is most
// likely a mistake: a typo in a set file should fail a build, not fall back to default names.
struct LintWarning {
    int line = 0;  // from 1; 0 when it concerns the file as a whole
    std::string text;
};

// Judges every line as the profile reader reads it; reading itself is not changed by any of
// this. Warns about lines that are neither a section, a key=value line, a comment nor blank;
// a missing [BMP] section; keys in [BMP] other than the six picture keys; a second [BMP]
// section and repeated keys, saying which one the reader uses.
// At most kMaxLintWarnings are kept; a last one then says how many more there were ("… and 41
// more"), so a huge file of junk costs no more than a small one.
inline constexpr std::size_t kMaxLintWarnings = 100;
std::vector<LintWarning> LintWallSetText(std::string_view text);

// The same on a file; no file (the default names) or an unreadable one gives no warnings,
// since opening the file already reported the latter.
std::vector<LintWarning> LintWallSetFile(const std::filesystem::path& file);

}  // namespace orvandel
