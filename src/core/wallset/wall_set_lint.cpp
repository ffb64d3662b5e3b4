#include "core/wallset/wall_set_lint.h"

#include <algorithm>
#include <map>
#include <utility>

#include "core/common/ascii.h"
#include "core/common/display_text.h"
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

namespace {

// Keeps the first kMaxLintWarnings warnings and counts the rest.
class BoundedWarnings {
public:
    void push_back(LintWarning warning) {
        if (m_kept.size() < kMaxLintWarnings) {
            m_kept.push_back(std::move(warning));
        } else {
            ++m_more;
        }
    }
    bool full() const { return m_kept.size() >= kMaxLintWarnings; }
    std::vector<LintWarning> Finish() && {
        if (m_more > 0) {
            m_kept.push_back({0, messages::LintMoreWarnings(m_more)});
        }
        return std::move(m_kept);
    }

private:
    std::vector<LintWarning> m_kept;
    std::size_t m_more = 0;
};

}  // namespace

std::vector<LintWarning> LintWallSetText(std::string_view text) {
    BoundedWarnings warnings;
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
                warnings.push_back({lineNumber, messages::LintRepeatedSection(
                                                    TextFromWallSetBytes(*name), bmpSectionLine)});
            } else if (isBmp) {
                bmpSectionLine = lineNumber;
            }
            inBmp = isBmp && bmpSectionLine == lineNumber;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            warnings.push_back({lineNumber, messages::LintNotAnEntry(TextFromWallSetBytes(line))});
            continue;
        }
        const std::string_view key = TrimBlanks(line.substr(0, equals));
        if (key.empty()) {
            warnings.push_back({lineNumber, messages::LintNotAnEntry(TextFromWallSetBytes(line))});
            continue;
        }
        if (!inBmp) {
            continue;  // other sections are no business of this program
        }
        if (!IsPictureKey(key)) {
            warnings.push_back({lineNumber, messages::LintUnknownKey(TextFromWallSetBytes(key))});
            continue;
        }
        const auto [first, inserted] = keyLines.emplace(std::string(key), lineNumber);
        if (!inserted) {
            warnings.push_back({lineNumber, messages::LintRepeatedKey(key, first->second)});
            continue;
        }
        const std::size_t length = UncutProfileValue(line.substr(equals + 1)).size();
        if (length > kMaxSettingLength) {
            warnings.push_back(
                {lineNumber, messages::LintValueCut(key, length, kMaxSettingLength)});
        }
    }
    if (bmpSectionLine == 0) {
        warnings.push_back({0, std::string(messages::kLintNoBmpSection)});
    }
    return std::move(warnings).Finish();
}

std::vector<LintWarning> LintWallSetFile(const std::filesystem::path& file) {
    if (file.empty()) {
        return {};
    }
    const FileBytes read = ReadFileStart(file, kMaxProfileFileSize + 1);
    if (!read.bytes) {
        return {};
    }
    const bool cut = read.bytes->size() > kMaxProfileFileSize;
    std::vector<LintWarning> warnings =
        LintWallSetText(std::string_view(reinterpret_cast<const char*>(read.bytes->data()),
                                         static_cast<std::size_t>(std::min<std::uint64_t>(
                                             read.bytes->size(), kMaxProfileFileSize))));
    if (cut) {
        warnings.push_back(
            {0, messages::LargerThanRead(kMaxProfileFileSize) + "; the rest is ignored"});
    }
    return warnings;
}

}  // namespace orvandel
