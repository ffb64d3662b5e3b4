#include "core/image/palette16.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "core/common/file_reader.h"
#include "core/common/message_texts.h"
#include "core/image/text_palette.h"

namespace orvandel {
namespace {

// A full 256-entry record is 1028 bytes; a little slack is allowed after it.
constexpr std::uint32_t kMaxDataSize = 1032;
// Version and count, then the 16 entries the palette takes.
constexpr std::uint32_t kMinDataSize = 4 + 4 * Palette16::kSize;
constexpr std::uint64_t kChunkHeaderSize = 8;

// Random access to the palette's bytes, so that a file is read a few bytes at a time and
// chunks are skipped without reading them.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads up to out.size() bytes at offset; returns how many were read.
    virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;

    bool ReadExactly(std::uint64_t offset, std::span<std::uint8_t> out) {
        return ReadAt(offset, out) == out.size();
    }
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::uint64_t Size() const override { return m_bytes.size(); }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        if (offset >= m_bytes.size()) {
            return 0;
        }
        const auto start = static_cast<std::size_t>(offset);
        const std::size_t count = std::min(out.size(), m_bytes.size() - start);
        std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(start), count, out.begin());
        return count;
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

class FileSource final : public ByteSource {
public:
    explicit FileSource(ReadableFile& file) : m_file(file) {}

    std::uint64_t Size() const override { return m_file.size(); }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        return m_file.ReadAt(offset, out).value_or(0);
    }

private:
    ReadableFile& m_file;
};

std::uint32_t Read32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

std::uint16_t Read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool HasId(const std::array<std::uint8_t, 8>& header, const char (&id)[5]) {
    return std::equal(header.begin(), header.begin() + 4, id);
}

struct Chunk {
    std::uint64_t contents = 0;  // offset of the bytes after the header
    std::uint32_t size = 0;
};

// The first chunk with `id` between `from` and `end`; other chunks are skipped by their size,
// plus a pad byte after odd sizes when `padded`. A chunk whose header does not fit before
// `end` ends the search.
std::optional<Chunk> FindChunk(ByteSource& source, std::uint64_t from, std::uint64_t end,
                               const char (&id)[5], bool padded) {
    // A palette holds a handful of chunks; a file of zeros would be 12 million empty ones.
    constexpr int kMaxChunks = 1024;
    std::uint64_t at = from;
    std::array<std::uint8_t, 8> header{};
    for (int chunk = 0; chunk < kMaxChunks && at <= end && end - at >= kChunkHeaderSize &&
                        source.ReadExactly(at, header);
         ++chunk) {
        const std::uint32_t size = Read32(header.data() + 4);
        if (HasId(header, id)) {
            return Chunk{at + kChunkHeaderSize, size};
        }
        at += kChunkHeaderSize + size + (padded ? (size & 1u) : 0u);
    }
    return std::nullopt;
}

std::string Hex16(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

// Only a file that is not RIFF at all is tried as text, so a RIFF palette reads as it always did.
Status ReadTextPaletteFrom(ByteSource& source, Palette16& destination) {
    constexpr std::uint64_t kMaxTextSize = 256 * 1024;  // 256 colours take a few kilobytes
    const std::uint64_t size = source.Size();
    std::string text(static_cast<std::size_t>(std::min(size, kMaxTextSize)), '\0');
    const std::size_t got = source.ReadAt(
        0, std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
    text.resize(got);
    // Only whole lines are judged: a line cut by the limit is no fault of the file's.
    const bool cut = size > kMaxTextSize;
    if (cut && text.find_last_of("\r\n") != std::string::npos) {
        text.resize(text.find_last_of("\r\n") + 1);
    }
    std::array<Colour, Palette16::kSize> colours{};
    const std::optional<Status> read = ReadTextPalette(text, colours);
    if (!read) {
        return Status::Fail(std::string(messages::kNoRiffChunk));
    }
    if (cut && !*read) {
        return Status::Fail(read->reason() + " (the file is " +
                            messages::LargerThanRead(kMaxTextSize) + ")");
    }
    if (*read) {
        for (int i = 0; i < Palette16::kSize; ++i) {
            destination[i] = colours[static_cast<std::size_t>(i)];
        }
    }
    return *read;
}

Status ReadPalette(ByteSource& source, Palette16& destination) {
    const std::uint64_t fileSize = source.Size();
    const auto riff = FindChunk(source, 0, fileSize, "RIFF", false);
    // The form type follows the RIFF header; it may be anything, but it must be there.
    if (!riff || fileSize - riff->contents < 4) {
        return ReadTextPaletteFrom(source, destination);
    }
    const std::uint64_t riffEnd = std::min(fileSize, riff->contents + riff->size);
    const auto data = FindChunk(source, riff->contents + 4, riffEnd, "data", true);
    if (!data) {
        return Status::Fail("no data chunk");
    }
    if (data->size > kMaxDataSize) {
        return Status::Fail("data chunk of " + std::to_string(data->size) +
                            " bytes is larger than " + std::to_string(kMaxDataSize));
    }
    if (data->size < kMinDataSize) {
        return Status::Fail(
            messages::RiffTooFewColours(data->size, data->size < 4 ? 0 : (data->size - 4) / 4));
    }
    std::array<std::uint8_t, kMaxDataSize> record{};
    const std::span<std::uint8_t> wanted(record.data(), data->size);
    const std::size_t got = source.ReadAt(data->contents, wanted);
    if (got != wanted.size()) {
        return Status::Fail("truncated: data chunk ends at byte " +
                            std::to_string(data->contents + got));
    }
    const std::uint16_t version = Read16(record.data());
    if (version != 0x0300) {
        return Status::Fail("version " + Hex16(version) + " is not 0x0300");
    }
    const std::uint16_t count = Read16(record.data() + 2);
    if (count < 16 || count > 256) {
        return Status::Fail("entry count " + std::to_string(count) + " is not 16..256");
    }
    for (int i = 0; i < Palette16::kSize; ++i) {
        const std::uint8_t* entry = record.data() + 4 + 4 * i;
        destination[i] = MakeColour(entry[0], entry[1], entry[2]);
    }
    return Status::Ok();
}

}  // namespace

Status Palette16::ReadPaletteFile(const std::filesystem::path& fileName) {
    ReadableFile file = ReadableFile::Open(fileName);
    if (!file.IsOpen()) {
        return Status::Fail(file.reason());
    }
    FileSource source(file);
    // Decode into a copy so that a failure leaves this palette as it was.
    Palette16 read = *this;
    Status status = ReadPalette(source, read);
    if (status) {
        *this = read;
    }
    return status;
}

Status Palette16::ReadPaletteBytes(std::span<const std::uint8_t> bytes) {
    MemorySource source(bytes);
    Palette16 read = *this;
    Status status = ReadPalette(source, read);
    if (status) {
        *this = read;
    }
    return status;
}

}  // namespace orvandel
