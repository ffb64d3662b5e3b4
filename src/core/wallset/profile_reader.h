#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

// Values are cut after this many characters, as the game's tools read them.
inline constexpr std::size_t kMaxSettingLength = 2047;

// A wall-set file is a few hundred bytes; anything past this much is not read at all and
// counts as absent, so a wrong file chosen by mistake cannot exhaust memory.
inline constexpr std::uintmax_t kMaxProfileFileSize = 16u * 1024u * 1024u;

// Looks a key up in INI text the way Windows' private-profile reader does:
// - section and key names match in any (ASCII) letter case; blanks (spaces, tabs) around
//   section names, keys and values are trimmed;
// - one pair of matching quotes (' or ") around a value is removed;
// - a line whose first non-blank character is ';' is a comment; lines without '=' are ignored;
// - CRLF, LF and CR end lines; a UTF-8 BOM at the very start is skipped;
// - when a section name appears twice only the first such section is searched, and within it
//   the first line of a key wins;
// - a key with nothing after '=' yields an empty string, not the default;
// - a value stops at a NUL byte, as a C string would, and is cut after kMaxSettingLength
//   characters.
// A missing section or key (or an empty key name) yields `defaultValue`.
std::string ReadProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view defaultValue);

// Several keys of one section in one pass over the text, each as ReadProfileString would
// find it; the values come in the order of `queries`.
struct ProfileQuery {
    std::string_view key;
    std::string_view defaultValue;
};
std::vector<std::string> ReadProfileStrings(std::string_view text, std::string_view section,
                                            std::span<const ProfileQuery> queries);
std::vector<std::string> ReadProfileStringsFromFile(const std::filesystem::path& file,
                                                    std::string_view section,
                                                    std::span<const ProfileQuery> queries);

// The same on a file; a missing or unreadable file (or an empty path) yields the default. At
// most kMaxProfileFileSize bytes are read.
std::string ReadProfileStringFromFile(const std::filesystem::path& file, std::string_view section,
                                      std::string_view key, std::string_view defaultValue);

}  // namespace orvandel
