#include "core/wallset/wall_set_lint.h"

#include <algorithm>
#include <map>

#include "core/common/ascii.h"
#include "core/common/file_reader.h"
#include "core/common/message_texts.h"
#include "core/wallset/profile_reader.h"
#include "core/wallset/profile_text.h"
#include "core/wallset/wallset_keys.h"

namespace orvandel {
namespace {

bool IsPictureKey(std::string_view key) {
    return std::any_of(kWallSetKeys.begin(), kWallSetKeys.end(),
                       [&](const WallSetKey& known) { return key == known.key; });
}

}  // namespace

std::vector<LintWarning> LintWallSetText(std::string_view text) {
    std::vector<LintWarning> warnings;
    if (text.starts_with(kUtf8Bom)) {
        text.remove_prefix(kUtf8Bom.size());
    }
    int lineNumber = 0;
    int bmpSectionLine = 0;
    bool inBmp = false;
    std::map<std::string, int> keyLines;  // picture key -> the line the reader uses
    while (!text.empty()) {
        ++lineNumber;
        const std::string_view line = TrimBlanks(NextProfileLine(text));
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (const auto name = ProfileSectionName(line)) {
            const bool isBmp = EqualsIgnoringAsciiCase(*name, kWallSetSection);
            if (isBmp && bmpSectionLine > 0) {
                warnings.push_back(
                    {lineNumber, messages::LintRepeatedSection(*name, bmpSectionLine)});
            } else if (isBmp) {
                bmpSectionLine = lineNumber;
            }
            inBmp = isBmp && bmpSectionLine == lineNumber;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            warnings.push_back({lineNumber, messages::LintNotAnEntry(line)});
            continue;
        }
        const std::string_view key = TrimBlanks(line.substr(0, equals));
        if (key.empty()) {
            warnings.push_back({lineNumber, messages::LintNotAnEntry(line)});
            continue;
        }
        if (!inBmp) {
            continue;  // other sections are no business of this program
        }
        if (!IsPictureKey(key)) {
            warnings.push_back({lineNumber, messages::LintUnknownKey(key)});
            continue;
        }
        const auto [first, inserted] = keyLines.emplace(std::string(key), lineNumber);
        if (!inserted) {
            warnings.push_back({lineNumber, messages::LintRepeatedKey(key, first->second)});
        }
    }
    if (bmpSectionLine == 0) {
        warnings.push_back({0, std::string(messages::kLintNoBmpSection)});
    }
    return warnings;
}

std::vector<LintWarning> LintWallSetFile(const std::filesystem::path& file) {
    if (file.empty()) {
        return {};
    }
    const FileBytes read = ReadFileStart(file, kMaxProfileFileSize);
    if (!read.bytes) {
        return {};
    }
    return LintWallSetText(
        std::string_view(reinterpret_cast<const char*>(read.bytes->data()), read.bytes->size()));
}

}  // namespace orvandel
