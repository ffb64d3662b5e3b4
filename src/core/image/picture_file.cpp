#include "core/image/picture_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/common/stdio_file.h"

namespace orvandel {
namespace {

std::string Unreadable(int error) {
    return "unreadable: " + std::string(std::strerror(error));
}

}  // namespace

PictureFile PictureFile::Open(const std::filesystem::path& fileName) {
    PictureFile result;
    std::error_code ec;
    const auto status = std::filesystem::status(fileName, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        result.m_reason = "missing file";
        return result;
    }
    if (ec) {
        result.m_reason = "unreadable: " + ec.message();
        return result;
    }
    if (std::filesystem::is_directory(status)) {
        result.m_reason = Unreadable(EISDIR);
        return result;
    }
    // Opening a FIFO waits for a writer and a device may never end: only plain files.
    if (!std::filesystem::is_regular_file(status)) {
        result.m_reason = "not a regular file";
        return result;
    }
    errno = 0;
    result.m_file.reset(OpenForReading(fileName));
    if (!result.m_file) {
        result.m_reason = Unreadable(errno != 0 ? errno : EIO);
        return result;
    }
    // Measured by seeking rather than asked of the file system, so that what is measured is
    // what this handle will read.
    if (!SeekFile(result.m_file.get(), 0, SEEK_END)) {
        result.m_reason = Unreadable(errno != 0 ? errno : EIO);
        result.m_file.reset();
        return result;
    }
    const std::int64_t end = TellFile(result.m_file.get());
    if (end < 0) {
        result.m_reason = Unreadable(errno != 0 ? errno : EIO);
        result.m_file.reset();
        return result;
    }
    result.m_size = static_cast<std::uint64_t>(end);
    return result;
}

bool PictureFile::Read(std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& out) {
    out.clear();
    if (!m_file) {
        return false;
    }
    if (offset >= m_size) {
        return true;
    }
    const std::uint64_t available = m_size - offset;
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(count, available));
    errno = 0;
    if (!SeekFile(m_file.get(), static_cast<std::int64_t>(offset), SEEK_SET)) {
        m_reason = Unreadable(errno != 0 ? errno : EIO);
        return false;
    }
    out.resize(wanted);
    const std::size_t got = std::fread(out.data(), 1, wanted, m_file.get());
    if (got != wanted && std::ferror(m_file.get()) != 0) {
        m_reason = Unreadable(errno != 0 ? errno : EIO);
        out.clear();
        return false;
    }
    // A file that shrank while being read simply ends earlier.
    out.resize(got);
    return true;
}

}  // namespace orvandel
