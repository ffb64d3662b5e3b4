#include "core/image/file_ops.h"

#include <algorithm>
#include <cerrno>
#include <random>
#include <string>
#include <vector>

#include "core/common/file_reader.h"
#include "core/common/message_texts.h"

namespace orvandel {
namespace {

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target,
                                          std::mt19937& random) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string tag(6, 'x');
    for (char& c : tag) {
        c = kLetters[random() % (sizeof kLetters - 1)];
    }
    // Composed as a path, never through a narrow string: on Windows that would not survive a
    // name outside the ANSI code page.
    std::filesystem::path name = ".";
    name += target.filename();
    name += "." + tag + ".tmp";
    return target.parent_path() / name;
}

// Creates the temporary file under a fresh name; a few names are tried in case one is taken.
int CreateTemporaryBeside(const std::filesystem::path& target, FileOps& ops,
                          std::filesystem::path& temporary, std::error_code& error) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 4; ++attempt) {
        temporary = TemporaryNameBeside(target, random);
        const int handle = ops.CreateTemporary(temporary);
        if (handle >= 0) {
            return handle;
        }
        error = ops.LastError();
        if (error != std::errc::file_exists) {
            break;  // another name would fail the same way
        }
    }
    return -1;
}

// Compares without reading more than the new contents plus one byte, so a huge file in the
// way costs nothing.
bool HoldsExactly(const std::filesystem::path& target,
                  std::span<const std::span<const std::uint8_t>> chunks) {
    std::size_t size = 0;
    for (const auto chunk : chunks) {
        size += chunk.size();
    }
    const FileBytes existing = ReadFileStart(target, size + 1);
    if (!existing.bytes || existing.bytes->size() != size) {
        return false;
    }
    auto at = existing.bytes->begin();
    for (const auto chunk : chunks) {
        if (!std::equal(chunk.begin(), chunk.end(), at)) {
            return false;
        }
        at += static_cast<std::ptrdiff_t>(chunk.size());
    }
    return true;
}

// A full quota is a full disk to the user; not every system has the code.
bool IsOverQuota([[maybe_unused]] std::error_code error) {
#ifdef EDQUOT
    return error.category() == std::generic_category() && error.value() == EDQUOT;
#else
    return false;
#endif
}

}  // namespace

// The file is never written in place: a full disk or a crash half way must not destroy an
// earlier good file, so the new contents become visible only by the final rename.
Status WriteFileAtomically(const std::filesystem::path& target,
                           std::span<const std::span<const std::uint8_t>> chunks, FileOps& ops) {
    if (target.filename().empty()) {
        return Status::Fail(std::string(messages::kWriteIsAFolder));
    }
    std::filesystem::path temporary;
    std::error_code error;
    const int handle = CreateTemporaryBeside(target, ops, temporary, error);
    if (handle < 0) {
        return Status::Fail(WriteFailureReason(error));
    }
    bool written = true;
    for (const auto chunk : chunks) {
        if (!ops.Write(handle, chunk)) {
            error = ops.LastError();
            written = false;
            break;
        }
    }
    if (written) {
        ops.KeepPermissionsOf(handle, target);
        written = ops.Flush(handle);
        if (!written) {
            error = ops.LastError();
        }
    }
    const bool closed = ops.Close(handle);
    if (written && !closed) {
        error = ops.LastError();
    }
    bool renamed = false;
    if (written && closed) {
        renamed = ops.Rename(temporary, target);
        if (!renamed) {
            error = ops.LastError();
        }
    }
    if (!renamed) {
        ops.Remove(temporary);
        return Status::Fail(WriteFailureReason(error));
    }
    return Status::Ok();
}

WriteResult WriteFileIfChanged(const std::filesystem::path& target,
                               std::span<const std::span<const std::uint8_t>> chunks,
                               FileOps& ops) {
    if (HoldsExactly(target, chunks)) {
        return {Status::Ok(), true};
    }
    return {WriteFileAtomically(target, chunks, ops), false};
}

std::string WriteFailureReason(std::error_code error) {
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
        error == std::errc::read_only_file_system) {
        return std::string(messages::kWritePermissionDenied);
    }
    if (error == std::errc::no_space_on_device || IsOverQuota(error)) {
        return std::string(messages::kWriteNoSpace);
    }
    if (error == std::errc::device_or_resource_busy || error == std::errc::text_file_busy) {
        return std::string(messages::kWriteInUse);
    }
    if (error == std::errc::is_a_directory) {
        return std::string(messages::kWriteIsAFolder);
    }
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
        return std::string(messages::kWriteNoFolder);
    }
    if (!error) {
        return std::string(messages::kWriteFailed);
    }
    return messages::CannotBeWritten(error.message());
}

}  // namespace orvandel
