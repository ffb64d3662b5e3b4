#include "cli/view_picture_output.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <ostream>
#include <span>

#include "core/common/ascii.h"
#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/image/file_ops.h"
#include "core/image/png_writer.h"

namespace orvandel::cli {
std::optional<ViewPictureFormat> ViewPictureFormatFor(const std::filesystem::path& fileName) {
    if (!fileName.has_stem()) {
        return std::nullopt;  // ".bmp" alone names no picture
    }
    const std::string ending = PathToUtf8(fileName.extension());
    return ending.size() > 1 ? ViewPictureFormatNamed(ending.substr(1)) : std::nullopt;
}

std::optional<ViewPictureFormat> ViewPictureFormatNamed(std::string_view name) {
    const std::string lower = AsciiLowerCase(name);
    if (lower == "bmp") {
        return ViewPictureFormat::kBmp;
    }
    if (lower == "png") {
        return ViewPictureFormat::kPng;
    }
    return std::nullopt;
}

EncodedPicture EncodeViewPicture(const CPaletteDib& picture, ViewPictureFormat format) {
    if (format == ViewPictureFormat::kBmp) {
        std::vector<std::uint8_t> bytes = picture.EncodeBmp();
        if (bytes.empty()) {
            return {{}, std::string(messages::kPictureHasNoPixels)};
        }
        return {std::move(bytes), {}};
    }
    std::optional<std::vector<std::uint8_t>> png = EncodePaletteDibPng(picture);
    if (!png) {
        return {{}, std::string(messages::kPictureHasNoPixels)};
    }
    return {std::move(*png), {}};
}

Status WriteViewPicture(const CPaletteDib& picture, const std::filesystem::path& fileName,
                        ViewPictureFormat format, FileOps& ops) {
    const EncodedPicture encoded = EncodeViewPicture(picture, format);
    if (!encoded.problem.empty()) {
        return Status::Fail(encoded.problem);
    }
    const std::array<std::span<const std::uint8_t>, 1> chunks{
        std::span<const std::uint8_t>(encoded.bytes)};
    return WriteNamedFile(fileName, chunks, ops);
}

SendResult SendViewPicture(const CPaletteDib& picture, std::ostream& out,
                           ViewPictureFormat format) {
    const EncodedPicture encoded = EncodeViewPicture(picture, format);
    if (!encoded.problem.empty()) {
        return {SendOutcome::kFailed, encoded.problem};
    }
    errno = 0;
    out.write(reinterpret_cast<const char*>(encoded.bytes.data()),
              static_cast<std::streamsize>(encoded.bytes.size()));
    out.flush();
    if (out) {
        return {};
    }
    // The stream keeps no reason of its own; the failed write(2) below it left one in errno.
    const int reason = errno;
    if (reason == EPIPE) {
        return {SendOutcome::kReaderGone, {}};
    }
    return {SendOutcome::kFailed,
            reason != 0 ? std::strerror(reason) : std::string(messages::kFileNotWritten)};
}

}  // namespace orvandel::cli
