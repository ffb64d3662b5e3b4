#include "cli/position_arguments.h"

#include <charconv>
#include <vector>

#include "core/map/map_state.h"

namespace orvandel::cli {

namespace {

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return parts;
        }
        start = comma + 1;
    }
}

// A map coordinate: decimal digits only, 0..15.
std::optional<int> ParseCoordinate(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    const auto [next, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || next != end || value < 0 || value >= kMapSize) {
        return std::nullopt;
    }
    return value;
}

std::optional<Direction> ParseFacing(std::string_view text) {
    if (text.size() != 1) {
        return std::nullopt;
    }
    constexpr std::string_view kLetters = "NESW";
    constexpr std::string_view kLowerLetters = "nesw";
    std::size_t index = kLetters.find(text.front());
    if (index == std::string_view::npos) {
        index = kLowerLetters.find(text.front());
    }
    if (index == std::string_view::npos) {
        return std::nullopt;
    }
    return static_cast<Direction>(index);
}

}  // namespace

std::optional<Point> ParseCellArgument(std::string_view text) {
    const std::vector<std::string_view> parts = SplitAtCommas(text);
    if (parts.size() != 2) {
        return std::nullopt;
    }
    const std::optional<int> x = ParseCoordinate(parts[0]);
    const std::optional<int> y = ParseCoordinate(parts[1]);
    if (!x || !y) {
        return std::nullopt;
    }
    return Point{*x, *y};
}

std::optional<ViewerPlacement> ParsePlacementArgument(std::string_view text) {
    const std::vector<std::string_view> parts = SplitAtCommas(text);
    if (parts.size() != 3) {
        return std::nullopt;
    }
    const std::optional<int> x = ParseCoordinate(parts[0]);
    const std::optional<int> y = ParseCoordinate(parts[1]);
    const std::optional<Direction> facing = ParseFacing(parts[2]);
    if (!x || !y || !facing) {
        return std::nullopt;
    }
    return ViewerPlacement{*x, *y, *facing};
}

}  // namespace orvandel::cli
