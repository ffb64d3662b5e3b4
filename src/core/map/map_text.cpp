#include "core/map/map_text.h"

#include <cstdint>
#include <cstdio>
#include <span>

#include "core/common/file_reader.h"
#include "core/image/file_ops.h"

namespace orvandel {

namespace {

std::string LinePrefix(std::size_t line) {
    return "line " + std::to_string(line);
}

// Printable characters are quoted as they are; anything else (control bytes, bytes of a
// multi-byte encoding) is shown by value so that the message itself stays plain text.
std::string DescribeByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F) {
        return std::string("character '") + c + "'";
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(byte));
    return std::string("byte ") + hex;
}

MapTextResult Refuse(std::string error) {
    return MapTextResult{std::nullopt, std::move(error)};
}

}  // namespace

MapTextResult ParseMapText(std::string_view text) {
    MapState map;
    std::size_t lineCount = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        const bool hasLineEnd = end != std::string_view::npos;
        if (!hasLineEnd) {
            end = text.size();
        }
        std::string_view line = text.substr(pos, end - pos);
        // A carriage return belongs to the line end only right before a line feed.
        if (hasLineEnd && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        pos = hasLineEnd ? end + 1 : end;
        ++lineCount;

        if (lineCount > static_cast<std::size_t>(kMapSize)) {
            return Refuse(LinePrefix(lineCount) + ": more than " + std::to_string(kMapSize) +
                          " lines");
        }
        for (std::size_t column = 0; column < line.size(); ++column) {
            const char c = line[column];
            if (c != '#' && c != '.') {
                return Refuse(LinePrefix(lineCount) + ", column " + std::to_string(column + 1) +
                              ": unexpected " + DescribeByte(c) + ", expected '#' or '.'");
            }
        }
        if (line.size() != static_cast<std::size_t>(kMapSize)) {
            return Refuse(LinePrefix(lineCount) + ": expected " + std::to_string(kMapSize) +
                          " characters, found " + std::to_string(line.size()));
        }
        const int y = static_cast<int>(lineCount) - 1;
        for (int x = 0; x < kMapSize; ++x) {
            map.SetCell(x, y, line[static_cast<std::size_t>(x)] == '.' ? kFloorCell : kWallCell);
        }
    }
    if (lineCount < static_cast<std::size_t>(kMapSize)) {
        return Refuse(LinePrefix(lineCount + 1) + ": expected " + std::to_string(kMapSize) +
                      " lines, found " + std::to_string(lineCount));
    }
    return MapTextResult{map, {}};
}

MapTextResult ReadMapFile(const std::filesystem::path& file) {
    constexpr std::uint64_t kReadLimit = 4096;
    const FileBytes read = ReadFileStart(file, kReadLimit);
    if (!read.bytes) {
        return Refuse(read.reason);
    }
    return ParseMapText(
        std::string_view(reinterpret_cast<const char*>(read.bytes->data()), read.bytes->size()));
}

std::string MapText(const MapState& map) {
    std::string text;
    text.reserve(static_cast<std::size_t>(kMapSize * (kMapSize + 1)));
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            text += IsOpenFloor(map.Cell(x, y)) ? '.' : '#';
        }
        text += '\n';
    }
    return text;
}

Status WriteMapFile(const std::filesystem::path& file, const MapState& map) {
    const std::string text = MapText(map);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    return WriteNamedFile(file, std::span<const std::span<const std::uint8_t>>(&bytes, 1));
}

}  // namespace orvandel
