#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvandel {

// A regular file opened for reading. Every file the program reads comes through here, so that
// a FIFO, a device or a folder under a wall set's name is refused at once instead of blocking
// or reading for ever, and so that the reasons a user sees are worded the same for every file.
class ReadableFile {
public:
    ReadableFile() = default;
    ~ReadableFile();
    ReadableFile(ReadableFile&& other) noexcept;
    ReadableFile& operator=(ReadableFile&& other) noexcept;
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    // Never blocks. On failure the file is not open and reason() says why ("missing file",
    // "is a folder, not a file", "not a regular file", "cannot be read: <system reason>").
    static ReadableFile Open(const std::filesystem::path& path);

    bool IsOpen() const { return m_handle != kNoHandle; }
    const std::string& reason() const { return m_reason; }
    // The size when it was opened; a file that shrinks later simply reads short.
    std::uint64_t size() const { return m_size; }

    // Reads up to out.size() bytes at `offset`, fewer at the end of the file. Nothing (with the
    // reason set) when the system refuses the read.
    std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<std::uint8_t> out);
    // The same into a vector sized to what was read.
    bool Read(std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& out);

private:
    using Handle = std::intptr_t;
    static constexpr Handle kNoHandle = -1;

    void Close();

    Handle m_handle = kNoHandle;
    std::uint64_t m_size = 0;
    std::string m_reason;
};

// A whole file in memory, or the reason it is not.
struct FileBytes {
    std::optional<std::vector<std::uint8_t>> bytes;
    std::string reason;
};

// Reads a whole file of at most `maxBytes`; a larger file is refused unread, with its size in
// the reason, so a wrong file chosen by mistake cannot exhaust memory.
FileBytes ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes);

// Reads at most the first `maxBytes` of a file, for formats whose reader can judge a longer
// file by its start (and so tell the user what is wrong with it, not merely its size).
FileBytes ReadFileStart(const std::filesystem::path& path, std::uint64_t maxBytes);

}  // namespace orvandel
