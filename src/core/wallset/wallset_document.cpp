#include "core/wallset/wallset_document.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#include "core/common/stdio_file.h"
#include "core/wallset/profile_reader.h"

namespace orvandel {
namespace {

Status CheckReadable(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status)) {
        return Status::Fail("no such file");
    }
    if (std::filesystem::is_directory(status)) {
        return Status::Fail("is a folder, not a file");
    }
    // Opening a FIFO would wait for a writer for ever.
    if (!std::filesystem::is_regular_file(status)) {
        return Status::Fail("not a regular file");
    }
    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> handle(OpenForReading(file),
                                                                 &std::fclose);
    if (!handle) {
        const int code = errno;
        return Status::Fail(code != 0 ? std::string("cannot be read: ") + std::strerror(code)
                                      : std::string("cannot be read"));
    }
    return Status::Ok();
}

}  // namespace

Status WallSetDocument::Open(const std::filesystem::path& fileName) {
    if (fileName.empty()) {
        return Status::Fail("no file name");
    }
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(fileName, error);
    if (error) {
        return Status::Fail("cannot find the current folder: " + error.message());
    }
    full = full.lexically_normal();
    Status readable = CheckReadable(full);
    if (!readable) {
        return readable;
    }
    m_path = std::move(full);
    return Status::Ok();
}

std::string WallSetDocument::ReadSetting(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) const {
    return ReadProfileStringFromFile(m_path, section, key, defaultValue);
}

}  // namespace orvandel
