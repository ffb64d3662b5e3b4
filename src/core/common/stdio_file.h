#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace orvandel {

// The C library's file calls where the systems differ: Windows opens names through their wide
// form (any name, not only those of the ANSI code page) and has a 32-bit `long`, too short
// to seek in a large file.
std::FILE* OpenForReading(const std::filesystem::path& path);
bool SeekFile(std::FILE* file, std::int64_t offset, int origin);
std::int64_t TellFile(std::FILE* file);

}  // namespace orvandel
