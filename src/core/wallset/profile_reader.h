#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace orvandel {

// Values are cut after this many characters, as the game's tools read them.
inline constexpr std::size_t kMaxSettingLength = 2047;

// Looks a key up in INI text the way Windows' private-profile reader does: section and key
// names match in any letter case, blanks around names and values are trimmed, one pair of
// matching quotes around a value is removed, ';' starts a comment line, CRLF and a UTF-8 BOM
// are accepted. A missing section or key yields `defaultValue`.
std::string ReadProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view defaultValue);

// The same on a file; a missing or unreadable file (or an empty path) yields the default.
std::string ReadProfileStringFromFile(const std::filesystem::path& file, std::string_view section,
                                      std::string_view key, std::string_view defaultValue);

}  // namespace orvandel
