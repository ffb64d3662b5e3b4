// Any bytes as a name, a path or a line of a wall-set file: what the program shows of it is
// valid UTF-8 that holds no control character and no character that reorders the line, showing
// it again changes nothing, and every byte of the input is accounted for. The same bytes read
// as a Windows code page always give valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/display_text.h"
#include "fuzz_check.h"

using namespace orvandel;

namespace {

bool ChangesTheLine(std::uint32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F || c == 0x061C;
}

std::uint32_t CodePoint(std::string_view character) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(character[k]); };
    if (character.size() == 1) {
        return byte(0);
    }
    std::uint32_t value = byte(0) & (0xFFu >> (character.size() + 1));
    for (std::size_t k = 1; k < character.size(); ++k) {
        value = (value << 6) | (byte(k) & 0x3Fu);
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string shown = DisplayText(bytes);
    FUZZ_CHECK(IsValidUtf8(shown));
    FUZZ_CHECK(DisplayText(shown) == shown);
    for (const std::string_view character : TextCharacters(shown)) {
        FUZZ_CHECK(!ChangesTheLine(CodePoint(character)));
    }
    // Nothing is dropped: every byte is shown as itself or as an escape of at least two.
    FUZZ_CHECK(shown.size() >= bytes.size());
    if (IsValidUtf8(bytes)) {
        FUZZ_CHECK(TextFromWallSetBytes(bytes) == bytes);
    }
    FUZZ_CHECK(IsValidUtf8(TextFromWallSetBytes(bytes)));
    std::size_t characters = 0;
    for (const std::string_view character : TextCharacters(bytes)) {
        FUZZ_CHECK(!character.empty() && character.size() <= 4);
        characters += character.size();
    }
    FUZZ_CHECK(characters == bytes.size());
    return 0;
}
