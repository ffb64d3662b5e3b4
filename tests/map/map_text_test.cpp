#include "core/map/map_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace orvandel {
namespace {

// The initial map in text form, each line ending with `eol`.
std::string InitialMapText(const std::string& eol) {
    const MapState map;
    std::string text;
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            text += IsOpenFloor(map.Cell(x, y)) ? '.' : '#';
        }
        text += eol;
    }
    return text;
}

TEST(ParseMapText, AcceptsBothLineEndsAndAMissingLastOne) {
    for (std::string text : {InitialMapText("\n"), InitialMapText("\r\n")}) {
        for (const bool trimLast : {false, true}) {
            if (trimLast) {
                text.erase(text.find_last_not_of("\r\n") + 1);
            }
            const MapTextResult result = ParseMapText(text);
            ASSERT_TRUE(result.map.has_value()) << result.error;
            EXPECT_EQ(result.map->cells(), MapState().cells());
            EXPECT_EQ(result.map->viewerX(), 7);
        }
    }
    std::string allWalls;
    for (int y = 0; y < kMapSize; ++y) {
        allWalls += std::string(16, '#') + "\n";
    }
    EXPECT_TRUE(ParseMapText(allWalls).map->IsWallAt(0, 0));
}

TEST(ParseMapText, RefusalsNameTheLine) {
    const std::string good = InitialMapText("\n");
    auto withLine = [&](int line, const std::string& replacement) {
        std::string text = good;
        text.replace(static_cast<std::size_t>(line) * 17, 16, replacement);
        return text;
    };
    struct Case {
        std::string text;
        std::string errorStart;
    };
    const Case cases[] = {
        {withLine(2, ".#####x########."), "line 3, column 7: unexpected character 'x'"},
        {withLine(0, std::string(15, '.') + '\x01'), "line 1, column 16: unexpected byte 0x01"},
        {withLine(4, "...\r..........."), "line 5, column 4: unexpected byte 0x0D"},
        {withLine(9, std::string(15, '#')), "line 10: expected 16 characters, found 15"},
        {withLine(9, std::string(17, '#')), "line 10: expected 16 characters, found 17"},
        {good.substr(0, 17 * 11), "line 12: expected 16 lines, found 11"},
        {"", "line 1: expected 16 lines, found 0"},
        {good + "\n", "line 17: more than 16 lines"},
        {good + std::string(16, '.'), "line 17: more than 16 lines"},
    };
    for (const Case& c : cases) {
        const MapTextResult result = ParseMapText(c.text);
        EXPECT_FALSE(result.map.has_value());
        EXPECT_EQ(result.error.rfind(c.errorStart, 0), 0u) << result.error;
    }
}

TEST(ParseMapText, ArbitraryBytesGiveAMapOrAReason) {
    std::mt19937 random(99);
    const std::string good = InitialMapText("\r\n");
    for (int round = 0; round < 2000; ++round) {
        std::string text = good;
        for (int n = static_cast<int>(random() % 4); n > 0; --n) {
            text[random() % text.size()] = static_cast<char>(random() % 256);
        }
        text.resize(random() % (text.size() + 10), '#');
        const MapTextResult result = ParseMapText(text);
        EXPECT_NE(result.map.has_value(), !result.error.empty());
    }
}

}  // namespace
}  // namespace orvandel
