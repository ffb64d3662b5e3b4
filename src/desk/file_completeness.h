#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace orvandel {

// Whether a file has been written to its end, judged by its own format: a BMP is as long as its
// header says, a PNG ends in its IEND chunk, a GIF in its trailer, a JPEG in its end marker, a
// RIFF file is as long as its RIFF chunk says, and a text file ends in a line break. A painting
// program caught mid-write gives an incomplete file; reading it then would show half a picture.
enum class FileCompleteness {
    Missing,     // no such file (yet): a rename or a rewrite may be under way
    Incomplete,  // by its format, more is to come
    Complete,
    Unknown,  // a format whose end cannot be told: only the settling delay helps
};

FileCompleteness JudgeCompleteness(const std::filesystem::path& file);

// What a file looked like at a load: a later stamp that differs means it changed since.
struct FileStamp {
    std::filesystem::path path;
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp StampOf(const std::filesystem::path& file);
std::vector<FileStamp> StampsOf(const std::vector<std::filesystem::path>& files);

}  // namespace orvandel
