#include "core/common/file_reader.h"

#include <algorithm>
#include <utility>

#include "core/common/message_texts.h"

namespace orvandel {

ReadableFile::~ReadableFile() {
    Close();
}

ReadableFile::ReadableFile(ReadableFile&& other) noexcept
    : m_handle(std::exchange(other.m_handle, kNoHandle)),
      m_size(other.m_size),
      m_reason(std::move(other.m_reason)) {}

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = std::exchange(other.m_handle, kNoHandle);
        m_size = other.m_size;
        m_reason = std::move(other.m_reason);
    }
    return *this;
}

bool ReadableFile::Read(std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& out) {
    out.clear();
    if (!IsOpen()) {
        return false;
    }
    if (offset >= m_size) {
        return true;
    }
    out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(count, m_size - offset)));
    const std::optional<std::size_t> got = ReadAt(offset, out);
    if (!got) {
        out.clear();
        return false;
    }
    out.resize(*got);
    return true;
}

FileBytes ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
    ReadableFile file = ReadableFile::Open(path);
    if (!file.IsOpen()) {
        return {std::nullopt, file.reason()};
    }
    if (file.size() > maxBytes) {
        return {std::nullopt, messages::TooLargeToRead(file.size(), maxBytes)};
    }
    std::vector<std::uint8_t> bytes;
    if (!file.Read(0, static_cast<std::size_t>(file.size()), bytes)) {
        return {std::nullopt, file.reason()};
    }
    return {std::move(bytes), {}};
}

FileBytes ReadFileStart(const std::filesystem::path& path, std::uint64_t maxBytes) {
    ReadableFile file = ReadableFile::Open(path);
    if (!file.IsOpen()) {
        return {std::nullopt, file.reason()};
    }
    std::vector<std::uint8_t> bytes;
    const auto wanted = static_cast<std::size_t>(std::min(file.size(), maxBytes));
    if (!file.Read(0, wanted, bytes)) {
        return {std::nullopt, file.reason()};
    }
    return {std::move(bytes), {}};
}

}  // namespace orvandel
