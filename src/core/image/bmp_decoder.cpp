#include "core/image/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "core/common/file_reader.h"
#include "core/common/message_texts.h"

namespace orvandel {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kLargestInfoHeader = 124;
constexpr std::size_t kLargestColourTable = 256 * 4;
// Everything that comes before the pixels and matters: file header, info header, colour table.
constexpr std::size_t kLargestHead = kFileHeaderSize + kLargestInfoHeader + kLargestColourTable;

constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;

enum class HeaderKind { kOs2Core, kOs2Info, kWindows };

struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = kUncompressed;
    std::vector<Colour> colourTable;    // always 2^bpp entries for indexed pictures
    std::size_t fileColourEntries = 0;  // of those, the ones the file holds
    std::uint64_t pixelOffset = 0;
};

struct LayoutResult {
    std::optional<BmpLayout> layout;
    std::string reason;
};

LayoutResult Refuse(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

std::string TruncatedAt(std::uint64_t at) {
    return "truncated at byte " + std::to_string(at);
}

std::uint16_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8) |
           (std::uint32_t{bytes[at + 2]} << 16) | (std::uint32_t{bytes[at + 3]} << 24);
}

std::optional<HeaderKind> KindOfHeader(std::uint32_t infoSize) {
    switch (infoSize) {
        case 12:
            return HeaderKind::kOs2Core;
        case 16:
        case 64:
            return HeaderKind::kOs2Info;
        case 40:
        case 52:
        case 56:
        case 108:
        case 124:
            return HeaderKind::kWindows;
        default:
            return std::nullopt;
    }
}

// OS/2 2.x gave compression codes 3 and 4 other meanings than Windows did.
std::string CompressionName(std::uint32_t compression, HeaderKind kind) {
    if (kind == HeaderKind::kOs2Info) {
        switch (compression) {
            case 3:
                return "Huffman 1D";
            case 4:
                return "RLE24";
            default:
                return "unknown";
        }
    }
    switch (compression) {
        case 3:
            return "bit fields";
        case 4:
            return "embedded JPEG";
        case 5:
            return "embedded PNG";
        case 6:
            return "alpha bit fields";
        case 11:
        case 12:
        case 13:
            return "CMYK";
        default:
            return "unknown";
    }
}

bool IsSupportedDepth(int bitsPerPixel) {
    return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 24;
}

std::uint64_t RowStride(const BmpLayout& layout) {
    const auto bits =
        static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.bitsPerPixel);
    return (bits + 31) / 32 * 4;
}

// The most pixel bytes the picture can use. Uncompressed rows are exact (the last row's padding
// is not required, as some writers leave it off). An RLE encoder never needs more than two bytes
// per pixel plus an end-of-line per row; twice that leaves room for wasteful ones.
std::uint64_t PixelBytesWanted(const BmpLayout& layout) {
    const auto w = static_cast<std::uint64_t>(layout.width);
    const auto h = static_cast<std::uint64_t>(layout.height);
    if (layout.compression == kUncompressed) {
        const std::uint64_t lastRow = (w * static_cast<std::uint64_t>(layout.bitsPerPixel) + 7) / 8;
        return RowStride(layout) * (h - 1) + lastRow;
    }
    return 4 * (w + 1) * h + 1024;
}

// The colour table starts right after the info header. A table that would run into the pixels
// is cut where they begin (OS/2 files often carry short tables without saying so).
LayoutResult ReadColourTable(std::span<const std::uint8_t> head, std::size_t tableStart,
                             HeaderKind kind, std::uint32_t coloursUsed, BmpLayout layout) {
    const std::size_t entrySize = kind == HeaderKind::kOs2Core ? 3 : 4;
    const std::size_t fullSize = std::size_t{1} << layout.bitsPerPixel;
    std::size_t entries =
        coloursUsed == 0 ? fullSize : std::min<std::size_t>(coloursUsed, fullSize);
    const auto room = static_cast<std::size_t>(
        std::min<std::uint64_t>((layout.pixelOffset - tableStart) / entrySize, fullSize));
    entries = std::min(entries, room);
    if (entries == 0) {
        return Refuse("no colour table before the pixels");
    }
    // Entries past the table are black: indices that point there read as black, as most
    // readers show them.
    layout.colourTable.assign(fullSize, Colour{0});
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t at = tableStart + i * entrySize;
        layout.colourTable[i] = MakeColour(head[at + 2], head[at + 1], head[at]);
    }
    layout.fileColourEntries = entries;
    return {std::move(layout), {}};
}

// Reads the file and info headers and the colour table. `head` is the file's start (at most
// kLargestHead bytes); `fileSize` is the whole file's size. Every refusal comes before any pixel
// memory is allocated.
LayoutResult ReadLayout(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') {
        return Refuse("not a BMP file");
    }
    if (head.size() < kFileHeaderSize + 4) {
        return Refuse(TruncatedAt(fileSize) + " in the header");
    }
    const std::uint32_t infoSize = Read32(head, kFileHeaderSize);
    const auto kind = KindOfHeader(infoSize);
    if (!kind) {
        return Refuse("unsupported header size " + std::to_string(infoSize));
    }
    const std::size_t tableStart = kFileHeaderSize + infoSize;
    if (head.size() < tableStart) {
        return Refuse(TruncatedAt(fileSize) + " in the header");
    }

    BmpLayout layout;
    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned planes = 0;
    std::uint32_t coloursUsed = 0;
    if (*kind == HeaderKind::kOs2Core) {
        width = Read16(head, 18);
        height = Read16(head, 20);
        planes = Read16(head, 22);
        layout.bitsPerPixel = Read16(head, 24);
    } else {
        width = static_cast<std::int32_t>(Read32(head, 18));
        height = static_cast<std::int32_t>(Read32(head, 22));
        planes = Read16(head, 26);
        layout.bitsPerPixel = Read16(head, 28);
        // A shortened OS/2 2.x header leaves off the fields it does not need: they are zero.
        if (infoSize >= 20) {
            layout.compression = Read32(head, 30);
        }
        if (infoSize >= 36) {
            coloursUsed = Read32(head, 46);
        }
    }

    if (width <= 0) {
        return Refuse("bad width " + std::to_string(width));
    }
    if (height == 0 || height == INT_MIN) {
        return Refuse("bad height " + std::to_string(height));
    }
    layout.topDown = height < 0;
    height = height < 0 ? -height : height;
    if (width > kMaxPictureWidth) {
        return Refuse(messages::TooWide(width, kMaxPictureWidth));
    }
    if (height > kMaxPictureHeight) {
        return Refuse(messages::TooTall(height, kMaxPictureHeight));
    }
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);

    if (planes != 1) {
        return Refuse("bad plane count " + std::to_string(planes) + " (must be 1)");
    }
    const bool embedded =
        *kind == HeaderKind::kWindows && (layout.compression == 4 || layout.compression == 5);
    if (embedded) {
        return Refuse(messages::UnsupportedCompression(layout.compression,
                                                       CompressionName(layout.compression, *kind)));
    }
    if (!IsSupportedDepth(layout.bitsPerPixel)) {
        return Refuse(messages::UnsupportedDepth(layout.bitsPerPixel));
    }
    switch (layout.compression) {
        case kUncompressed:
            break;
        case kRle8:
        case kRle4: {
            const int wanted = layout.compression == kRle8 ? 8 : 4;
            const std::string name = layout.compression == kRle8 ? "RLE8" : "RLE4";
            if (layout.bitsPerPixel != wanted) {
                return Refuse(name + " compression needs " + std::to_string(wanted) +
                              " bits per pixel, not " + std::to_string(layout.bitsPerPixel));
            }
            if (layout.topDown) {
                return Refuse(name + " pictures cannot be stored top-down (negative height)");
            }
            break;
        }
        default:
            return Refuse(messages::UnsupportedCompression(
                layout.compression, CompressionName(layout.compression, *kind)));
    }

    layout.pixelOffset = Read32(head, 10);
    if (layout.pixelOffset < tableStart) {
        return Refuse("pixel offset " + std::to_string(layout.pixelOffset) +
                      " lies inside the header");
    }
    if (layout.pixelOffset >= fileSize) {
        return Refuse("pixel offset " + std::to_string(layout.pixelOffset) +
                      " is past the end of the file (" + std::to_string(fileSize) + " bytes)");
    }
    if (layout.bitsPerPixel > 8) {
        return {std::move(layout), {}};
    }
    return ReadColourTable(head, tableStart, *kind, coloursUsed, std::move(layout));
}

DecodedPicture EmptyPicture(const BmpLayout& layout) {
    DecodedPicture picture;
    picture.width = layout.width;
    picture.height = layout.height;
    picture.bitsPerPixel = layout.bitsPerPixel;
    const auto count =
        static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height);
    if (layout.bitsPerPixel <= 8) {
        picture.colourTable = layout.colourTable;
        picture.fileColourEntries = layout.fileColourEntries;
        picture.indices.assign(count, 0);
    } else {
        picture.pixels.assign(count, Colour{0});
    }
    return picture;
}

// Blue, green, red bytes per pixel, as the file stores them.
void ConvertRow24(const std::uint8_t* bytes, std::size_t width, Colour* out) {
    for (std::size_t x = 0; x < width; ++x) {
        out[x] = MakeColour(bytes[3 * x + 2], bytes[3 * x + 1], bytes[3 * x]);
    }
}

DecodeResult DecodeUncompressed(const BmpLayout& layout, std::span<const std::uint8_t> bytes,
                                ColourRowSink* rows) {
    const std::uint64_t wanted = PixelBytesWanted(layout);
    if (bytes.size() < wanted) {
        return DecodeResult::Fail(TruncatedAt(layout.pixelOffset + bytes.size()) +
                                  " (the pixels end at byte " +
                                  std::to_string(layout.pixelOffset + wanted) + ")");
    }
    const auto w = static_cast<std::size_t>(layout.width);
    const auto h = static_cast<std::size_t>(layout.height);
    const auto stride = static_cast<std::size_t>(RowStride(layout));
    const auto bpp = static_cast<unsigned>(layout.bitsPerPixel);
    const auto fileRowOf = [&](std::size_t y) { return layout.topDown ? y : h - 1 - y; };
    if (bpp == 24 && rows != nullptr) {
        if (!rows->Begin(layout.width, layout.height)) {
            return DecodeResult::Fail("out of memory");
        }
        // In file order, so the rows are read front to back.
        std::array<Colour, kMaxPictureWidth> line;
        for (std::size_t fileRow = 0; fileRow < h; ++fileRow) {
            const std::size_t y = fileRowOf(fileRow);
            ConvertRow24(bytes.data() + fileRow * stride, w, line.data());
            rows->TakeRow(static_cast<int>(y), line.data());
        }
        DecodedPicture picture;
        picture.width = layout.width;
        picture.height = layout.height;
        picture.bitsPerPixel = layout.bitsPerPixel;
        return {std::move(picture), {}};
    }
    DecodedPicture picture = EmptyPicture(layout);
    const unsigned mask = (1U << std::min(bpp, 8U)) - 1;
    for (std::size_t y = 0; y < h; ++y) {
        const auto row = bytes.subspan(fileRowOf(y) * stride);
        if (bpp == 24) {
            ConvertRow24(row.data(), w, picture.pixels.data() + y * w);
            continue;
        }
        for (std::size_t x = 0; x < w; ++x) {
            const std::size_t bit = x * bpp;
            const auto shift = static_cast<unsigned>(8 - bpp - bit % 8);
            picture.indices[y * w + x] =
                static_cast<std::uint8_t>((unsigned{row[bit / 8]} >> shift) & mask);
        }
    }
    return {std::move(picture), {}};
}

// RLE pictures are always bottom-up. Pixels the stream skips (by delta or an early end of line
// or bitmap) keep index 0. Runs past a row's end and deltas past the picture are clipped: their
// pixels are dropped, the rest of the stream still counts.
DecodeResult DecodeRunLength(const BmpLayout& layout, std::span<const std::uint8_t> bytes,
                             bool streamCutShort) {
    DecodedPicture picture = EmptyPicture(layout);
    const auto w = static_cast<std::uint64_t>(layout.width);
    const auto h = static_cast<std::uint64_t>(layout.height);
    const bool fourBit = layout.compression == kRle4;
    std::uint64_t x = 0;
    std::uint64_t row = 0;  // counted from the bottom
    const auto put = [&](unsigned index) {
        if (x < w && row < h) {
            picture.indices[static_cast<std::size_t>((h - 1 - row) * w + x)] =
                static_cast<std::uint8_t>(index);
        }
        ++x;
    };
    // Pixels past the row's end are dropped, so a run only walks the part that lands.
    const auto landing = [&](unsigned count) {
        return (row < h && x < w) ? static_cast<unsigned>(std::min<std::uint64_t>(count, w - x))
                                  : 0U;
    };
    const auto endedEarly = [&](std::size_t at) {
        if (streamCutShort) {
            return DecodeResult::Fail("RLE data longer than " + std::to_string(bytes.size()) +
                                      " bytes without an end-of-bitmap mark");
        }
        return DecodeResult::Fail(TruncatedAt(layout.pixelOffset + at) + " in the RLE data");
    };

    std::size_t at = 0;
    while (row < h) {
        if (bytes.size() - at < 2) {
            return endedEarly(bytes.size());
        }
        const unsigned count = bytes[at];
        const unsigned value = bytes[at + 1];
        at += 2;
        if (count > 0) {
            const unsigned shown = landing(count);
            for (unsigned i = 0; i < shown; ++i) {
                put(fourBit ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value);
            }
            x += count - shown;
            continue;
        }
        if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (bytes.size() - at < 2) {
                return endedEarly(bytes.size());
            }
            x += bytes[at];
            row += bytes[at + 1];
            at += 2;
        } else {
            const std::size_t dataBytes = fourBit ? (value + 1) / 2 : value;
            if (bytes.size() - at < dataBytes) {
                return endedEarly(bytes.size());
            }
            const unsigned shown = landing(value);
            for (unsigned i = 0; i < shown; ++i) {
                const unsigned byte = bytes[at + (fourBit ? i / 2 : i)];
                put(fourBit ? ((i % 2 == 0) ? byte >> 4 : byte & 0x0F) : byte);
            }
            x += value - shown;
            // Absolute runs are padded to a whole 16-bit word.
            at = std::min(bytes.size(), at + dataBytes + (dataBytes & 1));
        }
    }
    return {std::move(picture), {}};
}

DecodeResult DecodePixels(const BmpLayout& layout, std::span<const std::uint8_t> bytes,
                          bool streamCutShort, ColourRowSink* rows = nullptr) {
    if (layout.compression == kUncompressed) {
        return DecodeUncompressed(layout, bytes, rows);
    }
    return DecodeRunLength(layout, bytes, streamCutShort);
}

}  // namespace

bool BmpDecoder::Recognizes(std::span<const std::uint8_t> head) const {
    return head.size() >= 2 && head[0] == 'B' && head[1] == 'M';
}

DecodeResult BmpDecoder::Decode(const std::filesystem::path& fileName) const {
    return Decode(fileName, nullptr);
}

DecodeResult BmpDecoder::Decode(const std::filesystem::path& fileName, ColourRowSink* rows) const {
    auto file = ReadableFile::Open(fileName);
    if (!file.IsOpen()) {
        return DecodeResult::Fail(file.reason());
    }
    return Decode(file, rows);
}

DecodeResult BmpDecoder::Decode(ReadableFile& file, ColourRowSink* rows) const {
    std::vector<std::uint8_t> head;
    if (!file.Read(0, kLargestHead, head)) {
        return DecodeResult::Fail(file.reason());
    }
    if (head.empty()) {
        return DecodeResult::Fail("empty file");
    }
    auto result = ReadLayout(head, file.size());
    if (!result.layout) {
        return DecodeResult::Fail(std::move(result.reason));
    }
    const BmpLayout& layout = *result.layout;
    // Only as much as the pixels can need is read, however large the file claims or is.
    const auto wanted = static_cast<std::size_t>(PixelBytesWanted(layout));
    std::vector<std::uint8_t> pixels;
    if (!file.Read(layout.pixelOffset, wanted, pixels)) {
        return DecodeResult::Fail(file.reason());
    }
    const bool cutShort = layout.pixelOffset + pixels.size() < file.size();
    return DecodePixels(layout, pixels, cutShort, rows);
}

DecodeResult BmpDecoder::DecodeBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return DecodeResult::Fail("empty file");
    }
    auto result = ReadLayout(bytes.first(std::min(bytes.size(), kLargestHead)), bytes.size());
    if (!result.layout) {
        return DecodeResult::Fail(std::move(result.reason));
    }
    const BmpLayout& layout = *result.layout;
    const auto offset = static_cast<std::size_t>(layout.pixelOffset);
    const auto wanted = static_cast<std::size_t>(PixelBytesWanted(layout));
    const auto pixels = bytes.subspan(offset, std::min(wanted, bytes.size() - offset));
    return DecodePixels(layout, pixels, offset + pixels.size() < bytes.size());
}

}  // namespace orvandel
