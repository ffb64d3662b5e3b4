#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/status.h"
#include "core/image/file_ops.h"
#include "core/image/palette_dib.h"
#include "core/image/picture_format.h"

namespace orvandel::cli {

using ViewPictureFormat = PictureFormat;

// The format a file name asks for by its ending (".bmp" or ".png", any letter case).
std::optional<ViewPictureFormat> ViewPictureFormatFor(const std::filesystem::path& fileName);
// The format `--format` names: "bmp" or "png", any letter case.
std::optional<ViewPictureFormat> ViewPictureFormatNamed(std::string_view name);

// The picture as file bytes: BMP in the export's own layout, or PNG of the same pixels. Files
// and standard output both get exactly these bytes.
struct EncodedPicture {
    std::vector<std::uint8_t> bytes;
    std::string problem;  // empty when encoded
};
EncodedPicture EncodeViewPicture(const CPaletteDib& picture, ViewPictureFormat format);

// Writes the picture; an existing file is replaced only by a complete new one.
Status WriteViewPicture(const CPaletteDib& picture, const std::filesystem::path& fileName,
                        ViewPictureFormat format, FileOps& ops = SystemFileOps());

// Sends the picture down a stream (standard output). A reader that went away is told apart
// from other failures, since a pipeline that stops reading early is no error to report.
enum class SendOutcome { kSent, kReaderGone, kFailed };
struct SendResult {
    SendOutcome outcome = SendOutcome::kSent;
    std::string problem;
};
SendResult SendViewPicture(const CPaletteDib& picture, std::ostream& out, ViewPictureFormat format);

}  // namespace orvandel::cli
