#include "desk/file_completeness.h"

#include <array>
#include <cstring>
#include <span>
#include <system_error>

#include "core/common/file_reader.h"

namespace orvandel {
namespace {

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view magic) {
    return bytes.size() >= magic.size() &&
           std::memcmp(bytes.data(), magic.data(), magic.size()) == 0;
}

// A length read from a header: the file is complete once it holds that many bytes. A length
// too small to be true tells nothing.
FileCompleteness AtLeast(std::uint64_t size, std::uint64_t declared, std::uint64_t smallest) {
    if (declared < smallest) {
        return FileCompleteness::Unknown;
    }
    return size >= declared ? FileCompleteness::Complete : FileCompleteness::Incomplete;
}

FileCompleteness EndsWith(std::span<const std::uint8_t> tail, std::span<const std::uint8_t> end) {
    if (tail.size() < end.size()) {
        return FileCompleteness::Incomplete;
    }
    return std::memcmp(tail.data() + tail.size() - end.size(), end.data(), end.size()) == 0
               ? FileCompleteness::Complete
               : FileCompleteness::Incomplete;
}

}  // namespace

FileCompleteness JudgeCompleteness(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return error ? FileCompleteness::Unknown : FileCompleteness::Missing;
    }
    ReadableFile readable = ReadableFile::Open(file);
    if (!readable.IsOpen()) {
        return FileCompleteness::Unknown;
    }
    const std::uint64_t size = readable.size();
    if (size == 0) {
        return FileCompleteness::Incomplete;  // a rewrite in place begins by emptying the file
    }
    std::array<std::uint8_t, 16> head{};
    const std::optional<std::size_t> headRead = readable.ReadAt(0, head);
    if (!headRead) {
        return FileCompleteness::Unknown;
    }
    const std::span<const std::uint8_t> start(head.data(), *headRead);
    std::array<std::uint8_t, 12> tailBytes{};
    const std::uint64_t tailAt = size > tailBytes.size() ? size - tailBytes.size() : 0;
    const std::optional<std::size_t> tailRead = readable.ReadAt(tailAt, tailBytes);
    if (!tailRead) {
        return FileCompleteness::Unknown;
    }
    const std::span<const std::uint8_t> tail(tailBytes.data(), *tailRead);

    if (StartsWith(start, "BM")) {
        return start.size() < 6 ? FileCompleteness::Incomplete
                                : AtLeast(size, LittleEndian32(start.data() + 2), 26);
    }
    if (StartsWith(start, "RIFF")) {
        return start.size() < 8
                   ? FileCompleteness::Incomplete
                   : AtLeast(size, std::uint64_t{LittleEndian32(start.data() + 4)} + 8, 12);
    }
    if (StartsWith(start, "\x89PNG\r\n\x1a\n")) {
        static constexpr std::array<std::uint8_t, 12> kEnd = {0,   0,   0,    0,    'I',  'E',
                                                              'N', 'D', 0xAE, 0x42, 0x60, 0x82};
        return EndsWith(tail, kEnd);
    }
    if (StartsWith(start, "GIF8")) {
        static constexpr std::array<std::uint8_t, 1> kTrailer = {0x3B};
        return EndsWith(tail, kTrailer);
    }
    if (StartsWith(start, "\xFF\xD8")) {
        static constexpr std::array<std::uint8_t, 2> kEndOfImage = {0xFF, 0xD9};
        return EndsWith(tail, kEndOfImage);
    }
    // Text (a wall-set file, a JASC-PAL or GIMP palette): editors end the last line.
    if (!tail.empty() && tail.back() == '\n') {
        return FileCompleteness::Complete;
    }
    return FileCompleteness::Unknown;
}

FileStamp StampOf(const std::filesystem::path& file) {
    FileStamp stamp;
    stamp.path = file;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error || !std::filesystem::exists(status)) {
        return stamp;
    }
    stamp.exists = true;
    if (std::filesystem::is_regular_file(status)) {
        stamp.size = std::filesystem::file_size(file, error);
    }
    stamp.modified = std::filesystem::last_write_time(file, error);
    return stamp;
}

std::vector<FileStamp> StampsOf(const std::vector<std::filesystem::path>& files) {
    std::vector<FileStamp> stamps;
    stamps.reserve(files.size());
    for (const std::filesystem::path& file : files) {
        stamps.push_back(StampOf(file));
    }
    return stamps;
}

}  // namespace orvandel
