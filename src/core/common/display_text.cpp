#include "core/common/display_text.h"

#include <algorithm>
#include <cstdint>

namespace orvandel {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendByteEscape(std::string& out, unsigned char byte) {
    switch (byte) {
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            out += "\\x";
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
    }
}

std::uint32_t DecodeSequence(std::string_view text, std::size_t length) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    if (length == 1) {
        return byte(0);
    }
    std::uint32_t value = byte(0) & (0xFFu >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        value = (value << 6) | (byte(k) & 0x3Fu);
    }
    return value;
}

// Characters that are not control characters but still change how a terminal shows the rest of
// the line: the C1 controls, the line and paragraph separators and the bidirectional overrides
// and isolates (which can make a name read as something it is not).
bool ChangesTheLine(std::uint32_t c) {
    return (c >= 0x80 && c <= 0x9F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F || c == 0x061C;
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto first = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    std::uint32_t lowest = 0;
    if (first < 0x80) {
        return 1;
    } else if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        lowest = 0x80;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        lowest = 0x800;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    const std::uint32_t value = DecodeSequence(text, length);
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    return length;
}

bool IsValidUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        if (length == 0) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

std::vector<std::string_view> TextCharacters(std::string_view text) {
    std::vector<std::string_view> characters;
    while (!text.empty()) {
        const std::size_t length = std::max<std::size_t>(1, Utf8SequenceLength(text));
        characters.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return characters;
}

std::string DisplayText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        if (length == 0) {
            AppendByteEscape(out, static_cast<unsigned char>(text[0]));
            text.remove_prefix(1);
            continue;
        }
        const std::uint32_t c = DecodeSequence(text, length);
        if (c < 0x20 || c == 0x7F) {
            AppendByteEscape(out, static_cast<unsigned char>(c));
        } else if (ChangesTheLine(c)) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) {
                out += kHexDigits[(c >> shift) & 0xF];
            }
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

}  // namespace orvandel
