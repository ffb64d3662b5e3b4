// Wall-set files that are not UTF-8 were written in the system's ANSI code page, the way
// Windows programs save text; Windows itself converts them.
#include <windows.h>

#include "core/common/display_text.h"

namespace orvandel {

std::string TextFromWallSetBytes(std::string_view bytes) {
    if (IsValidUtf8(bytes) || bytes.size() > 0x7FFFFFFF) {
        return std::string(bytes);
    }
    const int length = static_cast<int>(bytes.size());
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (wideLength <= 0) {
        return std::string(bytes);
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), wideLength);
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return std::string(bytes);
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, text.data(), size, nullptr, nullptr);
    return text;
}

}  // namespace orvandel
