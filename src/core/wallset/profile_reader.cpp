#include "core/wallset/profile_reader.h"

#include <optional>

#include "core/common/ascii.h"
#include "core/common/file_reader.h"
#include "core/wallset/profile_text.h"

namespace orvandel {
namespace {

std::string CleanValue(std::string_view value) {
    return std::string(UncutProfileValue(value).substr(0, kMaxSettingLength));
}

std::string DefaultOf(std::string_view defaultValue) {
    return std::string(defaultValue.substr(0, kMaxSettingLength));
}

}  // namespace

std::vector<std::string> ReadProfileStrings(std::string_view text, std::string_view section,
                                            std::span<const ProfileQuery> queries) {
    std::vector<std::optional<std::string>> found(queries.size());
    std::size_t open = 0;  // keys still without a value
    for (const ProfileQuery& query : queries) {
        open += query.key.empty() ? 0u : 1u;
    }
    if (text.starts_with(kUtf8Bom)) {
        text.remove_prefix(kUtf8Bom.size());
    }
    bool seenSection = false;
    bool inSection = false;
    while (!text.empty() && open > 0) {
        const std::string_view line = TrimBlanks(NextProfileLine(text));
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (const auto name = ProfileSectionName(line)) {
            if (inSection) {
                break;  // only the first section of that name counts
            }
            inSection = !seenSection && EqualsIgnoringAsciiCase(*name, section);
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection) {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = TrimBlanks(line.substr(0, equals));
        for (std::size_t k = 0; k < queries.size(); ++k) {
            if (!found[k] && !queries[k].key.empty() &&
                EqualsIgnoringAsciiCase(key, queries[k].key)) {
                found[k] = CleanValue(line.substr(equals + 1));  // the first line of a key wins
                --open;
            }
        }
    }
    std::vector<std::string> values;
    values.reserve(queries.size());
    for (std::size_t k = 0; k < queries.size(); ++k) {
        values.push_back(found[k] ? std::move(*found[k]) : DefaultOf(queries[k].defaultValue));
    }
    return values;
}

std::string ReadProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view defaultValue) {
    const ProfileQuery query{key, defaultValue};
    return ReadProfileStrings(text, section, std::span(&query, 1)).front();
}

std::vector<std::string> ReadProfileStringsFromFile(const std::filesystem::path& file,
                                                    std::string_view section,
                                                    std::span<const ProfileQuery> queries) {
    FileBytes read;
    if (!file.empty()) {
        read = ReadFileStart(file, kMaxProfileFileSize);
    }
    if (!read.bytes) {
        return ReadProfileStrings({}, section, queries);
    }
    const std::string_view text(reinterpret_cast<const char*>(read.bytes->data()),
                                read.bytes->size());
    return ReadProfileStrings(text, section, queries);
}

std::string ReadProfileStringFromFile(const std::filesystem::path& file, std::string_view section,
                                      std::string_view key, std::string_view defaultValue) {
    const ProfileQuery query{key, defaultValue};
    return ReadProfileStringsFromFile(file, section, std::span(&query, 1)).front();
}

}  // namespace orvandel
