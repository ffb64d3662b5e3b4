#pragma once

#include <optional>
#include <string_view>

namespace orvandel {

// How INI text splits into lines and what a line is, shared by the reader and the lint so
// that the lint can never judge a line differently from the reader.

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Strips spaces and tabs from both ends.
std::string_view TrimBlanks(std::string_view s);

// Splits off the next line; a line ends at CRLF, LF or CR.
std::string_view NextProfileLine(std::string_view& text);

// The value of a key=value line from the text after its '=', before any cut: blanks trimmed,
// one pair of matching quotes removed, and ending at a NUL byte as a C string would.
std::string_view UncutProfileValue(std::string_view afterEquals);

// The name of a section header line ("[ name ]"), or nothing when the line is not one. The
// name runs to the last ']' so that names holding ']' still work; a '[' without ']' is junk.
std::optional<std::string_view> ProfileSectionName(std::string_view line);

}  // namespace orvandel
