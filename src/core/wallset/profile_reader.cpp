#include "core/wallset/profile_reader.h"

#include <optional>

#include "core/common/ascii.h"
#include "core/common/file_reader.h"
#include "core/wallset/profile_text.h"

namespace orvandel {
namespace {

std::string CleanValue(std::string_view value) {
    value = TrimBlanks(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    value = value.substr(0, value.find('\0'));
    return std::string(value.substr(0, kMaxSettingLength));
}

std::string DefaultOf(std::string_view defaultValue) {
    return std::string(defaultValue.substr(0, kMaxSettingLength));
}

}  // namespace

std::string ReadProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view defaultValue) {
    if (key.empty()) {
        return DefaultOf(defaultValue);
    }
    if (text.starts_with(kUtf8Bom)) {
        text.remove_prefix(kUtf8Bom.size());
    }
    bool seenSection = false;
    bool inSection = false;
    while (!text.empty()) {
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
        if (EqualsIgnoringAsciiCase(TrimBlanks(line.substr(0, equals)), key)) {
            return CleanValue(line.substr(equals + 1));
        }
    }
    return DefaultOf(defaultValue);
}

std::string ReadProfileStringFromFile(const std::filesystem::path& file, std::string_view section,
                                      std::string_view key, std::string_view defaultValue) {
    if (file.empty()) {
        return DefaultOf(defaultValue);
    }
    const FileBytes read = ReadFileStart(file, kMaxProfileFileSize);
    if (!read.bytes) {
        return DefaultOf(defaultValue);
    }
    const std::string_view text(reinterpret_cast<const char*>(read.bytes->data()),
                                read.bytes->size());
    return ReadProfileString(text, section, key, defaultValue);
}

}  // namespace orvandel
