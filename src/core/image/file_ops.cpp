#include "core/image/file_ops.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/common/file_reader.h"
#include "core/common/message_texts.h"
#include "core/common/path_text.h"

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
    // name outside the ANSI code page. The process's number marks whose file it is, so a later
    // export can tell a file left by a killed one from a file being written right now.
    std::filesystem::path name = ".";
    name += target.filename();
    name += "." + tag + "-" + std::to_string(CurrentProcessId()) + ".tmp";
    return target.parent_path() / name;
}

// The writer of a temporary file named by TemporaryNameBeside for `fileName`, or nothing when
// `entry` is no such name.
std::optional<std::uint64_t> WriterOf(std::string_view entry, std::string_view fileName) {
    constexpr std::size_t kTagLength = 6;
    constexpr std::string_view kEnding = ".tmp";
    if (entry.size() < fileName.size() + 3 + kTagLength + kEnding.size() || entry[0] != '.' ||
        entry.substr(1, fileName.size()) != fileName || !entry.ends_with(kEnding)) {
        return std::nullopt;
    }
    std::string_view rest = entry.substr(1 + fileName.size());
    rest.remove_suffix(kEnding.size());
    if (rest.size() < 3 + kTagLength || rest[0] != '.' || rest[1 + kTagLength] != '-') {
        return std::nullopt;
    }
    for (const char c : rest.substr(1, kTagLength)) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
    }
    const std::string_view digits = rest.substr(2 + kTagLength);
    std::uint64_t writer = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), writer);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return writer;
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

// What stands in the way of writing `target`, if anything.
std::optional<std::string> RefusalFor(FileOps::TargetKind kind) {
    switch (kind) {
        case FileOps::TargetKind::kReadOnly:
            return std::string(messages::kWriteReadOnly);
        case FileOps::TargetKind::kFolder:
            return std::string(messages::kWriteIsAFolder);
        default:
            return std::nullopt;
    }
}

Status WriteStream(const std::filesystem::path& target,
                   std::span<const std::span<const std::uint8_t>> chunks, FileOps& ops) {
    const int handle = ops.OpenStream(target);
    if (handle < 0) {
        return Status::Fail(WriteFailureReason(ops.LastError()));
    }
    std::error_code error;
    bool written = true;
    for (const auto chunk : chunks) {
        if (!ops.Write(handle, chunk)) {
            error = ops.LastError();
            written = false;
            break;
        }
    }
    // A device or pipe cannot be flushed to a disk; its close is what reports a lost write.
    const bool closed = ops.Close(handle);
    if (written && !closed) {
        error = ops.LastError();
    }
    if (!written || !closed) {
        return Status::Fail(WriteFailureReason(error));
    }
    return Status::Ok();
}

Status ReplaceAtomically(const std::filesystem::path& target,
                         std::span<const std::span<const std::uint8_t>> chunks, FileOps& ops);

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& target,
                           std::span<const std::span<const std::uint8_t>> chunks, FileOps& ops) {
    if (target.filename().empty()) {
        return Status::Fail(std::string(messages::kWriteIsAFolder));
    }
    if (const auto refusal = RefusalFor(ops.InspectTarget(target, false).kind)) {
        return Status::Fail(*refusal);
    }
    return ReplaceAtomically(target, chunks, ops);
}

Status WriteNamedFile(const std::filesystem::path& target,
                      std::span<const std::span<const std::uint8_t>> chunks, FileOps& ops) {
    const FileOps::Target found = ops.InspectTarget(target, true);
    if (found.kind == FileOps::TargetKind::kStream) {
        return WriteStream(target, chunks, ops);
    }
    if (const auto refusal = RefusalFor(found.kind)) {
        return Status::Fail(*refusal);
    }
    if (found.path.filename().empty()) {
        return Status::Fail(std::string(messages::kWriteIsAFolder));
    }
    return ReplaceAtomically(found.path, chunks, ops);
}

namespace {

// The file is never written in place: a full disk or a crash half way must not destroy an
// earlier good file, so the new contents become visible only by the final rename.
Status ReplaceAtomically(const std::filesystem::path& target,
                         std::span<const std::span<const std::uint8_t>> chunks, FileOps& ops) {
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

}  // namespace

WriteResult WriteFileIfChanged(const std::filesystem::path& target,
                               std::span<const std::span<const std::uint8_t>> chunks,
                               FileOps& ops) {
    if (HoldsExactly(target, chunks)) {
        return {Status::Ok(), true};
    }
    return {WriteFileAtomically(target, chunks, ops), false};
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                               std::span<const std::string> fileNames) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (const std::filesystem::directory_iterator end; !error && it != end; it.increment(error)) {
        const std::string entry = PathToUtf8(it->path().filename());
        if (entry.empty() || entry[0] != '.') {
            continue;
        }
        for (const std::string& fileName : fileNames) {
            const std::optional<std::uint64_t> writer = WriterOf(entry, fileName);
            std::error_code ignored;
            if (writer && !ProcessIsRunning(*writer) && it->is_regular_file(ignored)) {
                std::filesystem::remove(it->path(), ignored);
                break;
            }
        }
    }
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
