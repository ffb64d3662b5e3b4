#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orvandel {

// Paths to and from the program's text, which is UTF-8 (messages, command-line arguments,
// names in wall-set files). A path built from a plain std::string is not: on Windows the
// string is read byte by byte or in the ANSI code page, and a folder such as "Zoë" or "Wände"
// comes out under another name.
//
// Text that is not valid UTF-8 (a wall-set file saved in a Windows code page) is taken byte
// for byte, which on Windows reads it as Latin-1.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace orvandel
