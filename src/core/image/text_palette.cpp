#include "core/image/text_palette.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "core/common/message_texts.h"

namespace orvandel {
namespace {

constexpr std::string_view kJasc = "JASC-PAL";
constexpr std::string_view kGimp = "GIMP Palette";

std::string_view Trimmed(std::string_view line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        lines.push_back(Trimmed(text.substr(0, end)));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

// Reads the next whole number in `rest`, skipping blanks before it.
std::optional<int> NextNumber(std::string_view& rest) {
    rest = Trimmed(rest);
    int value = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc() || end == rest.data()) {
        return std::nullopt;
    }
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    return value;
}

// "r g b", each 0..255, and in a GIMP palette a name after them.
std::optional<Colour> ColourOfLine(std::string_view line, bool nameMayFollow) {
    std::string_view rest = line;
    std::array<int, 3> channels{};
    for (int& channel : channels) {
        const std::optional<int> value = NextNumber(rest);
        if (!value || *value < 0 || *value > 255) {
            return std::nullopt;
        }
        channel = *value;
    }
    if (!nameMayFollow && !Trimmed(rest).empty()) {
        return std::nullopt;
    }
    if (nameMayFollow && !rest.empty() && rest.front() != ' ' && rest.front() != '\t') {
        return std::nullopt;
    }
    return MakeColour(static_cast<std::uint8_t>(channels[0]),
                      static_cast<std::uint8_t>(channels[1]),
                      static_cast<std::uint8_t>(channels[2]));
}

Status Take(const std::vector<Colour>& found, std::string_view format,
            std::array<Colour, Palette16::kSize>& colours) {
    if (found.size() < static_cast<std::size_t>(Palette16::kSize)) {
        return Status::Fail(messages::TooFewColours(format, found.size()));
    }
    std::copy_n(found.begin(), Palette16::kSize, colours.begin());
    return Status::Ok();
}

Status ReadJasc(const std::vector<std::string_view>& lines,
                std::array<Colour, Palette16::kSize>& colours) {
    // Signature, version "0100", the count, then one colour per line.
    if (lines.size() < 3 || lines[1] != "0100") {
        return Status::Fail(messages::BadTextPalette(kJasc, 2));
    }
    std::string_view countText = lines[2];
    const std::optional<int> count = NextNumber(countText);
    if (!count || !Trimmed(countText).empty() || *count < 0) {
        return Status::Fail(messages::BadTextPalette(kJasc, 3));
    }
    std::vector<Colour> found;
    for (std::size_t at = 3; at < lines.size() && found.size() < static_cast<std::size_t>(*count);
         ++at) {
        if (lines[at].empty()) {
            continue;
        }
        const std::optional<Colour> colour = ColourOfLine(lines[at], false);
        if (!colour) {
            return Status::Fail(messages::BadTextPalette(kJasc, at + 1));
        }
        found.push_back(*colour);
    }
    return Take(found, kJasc, colours);
}

Status ReadGimp(const std::vector<std::string_view>& lines,
                std::array<Colour, Palette16::kSize>& colours) {
    std::vector<Colour> found;
    for (std::size_t at = 1; at < lines.size(); ++at) {
        const std::string_view line = lines[at];
        if (line.empty() || line.front() == '#' || line.starts_with("Name:") ||
            line.starts_with("Columns:")) {
            continue;
        }
        const std::optional<Colour> colour = ColourOfLine(line, true);
        if (!colour) {
            return Status::Fail(messages::BadTextPalette("GIMP", at + 1));
        }
        found.push_back(*colour);
    }
    return Take(found, "GIMP", colours);
}

}  // namespace

bool LooksLikeTextPalette(std::string_view head) {
    if (head.starts_with("\xEF\xBB\xBF")) {
        head.remove_prefix(3);  // a byte-order mark some editors write
    }
    return head.starts_with(kJasc) || head.starts_with(kGimp);
}

std::optional<Status> ReadTextPalette(std::string_view text,
                                      std::array<Colour, Palette16::kSize>& colours) {
    if (!LooksLikeTextPalette(text)) {
        return std::nullopt;
    }
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.empty()) {
        return std::nullopt;
    }
    if (lines[0] == kJasc) {
        return ReadJasc(lines, colours);
    }
    if (lines[0] == kGimp) {
        return ReadGimp(lines, colours);
    }
    return std::nullopt;
}

}  // namespace orvandel
