#pragma once

#include <string>
#include <string_view>

namespace orvandel::win32 {

// The program's texts are UTF-8; Windows' wide functions take UTF-16.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace orvandel::win32
