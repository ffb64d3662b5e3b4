#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace orvandel {

// A picture file opened for reading in bounded pieces, so that a decoder never holds more of a
// file than the picture it describes can need.
class PictureFile {
public:
    // Opens the file; on failure the reason is "missing file" or "unreadable: <system reason>".
    static PictureFile Open(const std::filesystem::path& fileName);

    bool IsOpen() const { return m_file != nullptr; }
    const std::string& reason() const { return m_reason; }
    std::uint64_t size() const { return m_size; }

    // Reads up to `count` bytes from `offset`, fewer at the end of the file. False (with the
    // reason set) when the system refuses the read.
    bool Read(std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& out);

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
    std::uint64_t m_size = 0;
    std::string m_reason;
};

}  // namespace orvandel
