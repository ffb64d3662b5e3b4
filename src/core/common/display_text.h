#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

// Text from outside the program (a picture name, a folder, a line of a wall-set file) made safe
// to show: valid UTF-8 stays as it is, while control characters, bytes that are not UTF-8 and
// the characters that reorder a line are written as escapes ("\x1b", "\n", "\u202e"). No
// input can then move the cursor, recolour a terminal or begin a line of its own. Applying it
// twice changes nothing more.
std::string DisplayText(std::string_view text);

// Whether `text` is valid UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool IsValidUtf8(std::string_view text);

// The length of the valid UTF-8 sequence at the start of `text`, or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text);

// The characters of `text`, one per valid UTF-8 sequence and one per stray byte.
std::vector<std::string_view> TextCharacters(std::string_view text);

// Text of a wall-set file as UTF-8: valid UTF-8 stays as it is; anything else was written by a
// Windows program in its code page, which is read as such (Windows-1252 here, the system's
// ANSI code page on Windows).
std::string TextFromWallSetBytes(std::string_view bytes);

}  // namespace orvandel
