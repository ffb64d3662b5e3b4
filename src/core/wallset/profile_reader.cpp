#include "core/wallset/profile_reader.h"

#include <optional>

#include "core/common/ascii.h"
#include "core/common/file_reader.h"

namespace orvandel {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Splits off the next line; a line ends at CRLF, LF or CR.
std::string_view NextLine(std::string_view& text) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        const std::string_view line = text;
        text = {};
        return line;
    }
    const std::string_view line = text.substr(0, end);
    std::size_t skip = 1;
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
        skip = 2;
    }
    text.remove_prefix(end + skip);
    return line;
}

// The name of a section header line ("[ name ]"), or nothing when the line is not one. The
// name runs to the last ']' so that names holding ']' still work; a '[' without ']' is junk.
std::optional<std::string_view> SectionName(std::string_view line) {
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || close == 0) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

std::string CleanValue(std::string_view value) {
    value = Trim(value);
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
        const std::string_view line = Trim(NextLine(text));
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (const auto name = SectionName(line)) {
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
        if (EqualsIgnoringAsciiCase(Trim(line.substr(0, equals)), key)) {
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
