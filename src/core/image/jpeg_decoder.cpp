#include "core/image/jpeg_decoder.h"

// jpeglib.h needs FILE and size_t declared before it.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include "core/common/file_reader.h"

namespace orvandel {
namespace {

// A progressive file may hold any number of scans, each one a pass over the whole picture; a
// real one has about ten. More than this is a file made to keep the reader busy.
constexpr int kMaxScans = 256;

// The libjpeg state of one decode. libjpeg leaves an error by longjmp to the setjmp of the
// step that made the call; the steps own nothing but what this struct holds, and the caller
// frees it whatever happened.
struct JpegReader {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf leave{};
    char message[JMSG_LENGTH_MAX] = {};
    bool created = false;

    ~JpegReader() {
        if (created) {
            jpeg_destroy_decompress(&info);
        }
    }
};

JpegReader& ReaderOf(j_common_ptr common) {
    // The error manager is the first thing the reader holds after the decompress struct; the
    // client data pointer says which reader it is.
    return *static_cast<JpegReader*>(common->client_data);
}

extern "C" [[noreturn]] void JpegLeaveOnError(j_common_ptr common) {
    JpegReader& reader = ReaderOf(common);
    (*common->err->format_message)(common, reader.message);
    std::longjmp(reader.leave, 1);
}

// Warnings (a damaged stream, a missing end marker) are not failures: the decoder goes on.
extern "C" void JpegIgnoreMessage(j_common_ptr, int) {}

extern "C" void JpegLimitScans(j_common_ptr common) {
    if (common->is_decompressor) {
        auto* info = reinterpret_cast<j_decompress_ptr>(common);
        if (info->input_scan_number > kMaxScans) {
            JpegReader& reader = ReaderOf(common);
            std::strncpy(reader.message, "too many scans", sizeof reader.message - 1);
            std::longjmp(reader.leave, 1);
        }
    }
}

bool ReadHeader(JpegReader& reader, std::span<const std::uint8_t> bytes) {
    reader.info.err = jpeg_std_error(&reader.errors);
    reader.errors.error_exit = JpegLeaveOnError;
    reader.errors.emit_message = JpegIgnoreMessage;
    reader.info.client_data = &reader;
    if (setjmp(reader.leave)) {
        return false;
    }
    jpeg_create_decompress(&reader.info);
    reader.created = true;
    reader.progress.progress_monitor = JpegLimitScans;
    reader.info.progress = &reader.progress;
    jpeg_mem_src(&reader.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&reader.info, TRUE);
    return true;
}

bool StartPixels(JpegReader& reader) {
    if (setjmp(reader.leave)) {
        return false;
    }
    jpeg_start_decompress(&reader.info);
    return true;
}

bool ReadRows(JpegReader& reader, std::uint8_t* pixels, std::size_t rowBytes) {
    if (setjmp(reader.leave)) {
        return false;
    }
    while (reader.info.output_scanline < reader.info.output_height) {
        JSAMPROW row = pixels + reader.info.output_scanline * rowBytes;
        jpeg_read_scanlines(&reader.info, &row, 1);
    }
    jpeg_finish_decompress(&reader.info);
    return true;
}

std::string Failure(const JpegReader& reader) {
    return std::string("cannot decode (") + reader.message + ")";
}

}  // namespace

bool JpegDecoder::Recognizes(std::span<const std::uint8_t> head) const {
    return head.size() >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
}

DecodeResult JpegDecoder::Decode(const std::filesystem::path& fileName) const {
    const FileBytes file = ReadWholeFile(fileName, kMaxEncodedPictureBytes);
    if (!file.bytes) {
        return DecodeResult::Fail(file.reason);
    }
    return DecodeBytes(*file.bytes);
}

DecodeResult JpegDecoder::DecodeBytes(std::span<const std::uint8_t> bytes) {
    JpegReader reader;
    if (!ReadHeader(reader, bytes)) {
        return DecodeResult::Fail(Failure(reader));
    }
    jpeg_decompress_struct& info = reader.info;
    if (std::string refusal = PictureSizeRefusal(info.image_width, info.image_height);
        !refusal.empty()) {
        return DecodeResult::Fail(std::move(refusal));
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
    info.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_RGB;
    if (!StartPixels(reader)) {
        return DecodeResult::Fail(Failure(reader));
    }
    const int channels = info.output_components;
    if (channels != (cmyk   ? 4
                     : grey ? 1
                            : 3) ||
        info.output_width != info.image_width || info.output_height != info.image_height) {
        return DecodeResult::Fail("cannot decode (unexpected output layout)");
    }
    const std::size_t width = info.output_width;
    const std::size_t height = info.output_height;
    const std::size_t rowBytes = width * static_cast<std::size_t>(channels);
    std::vector<std::uint8_t> samples;
    try {
        samples.resize(rowBytes * height);
    } catch (const std::bad_alloc&) {
        return DecodeResult::Fail("cannot decode (out of memory)");
    }
    if (!ReadRows(reader, samples.data(), rowBytes)) {
        return DecodeResult::Fail(Failure(reader));
    }

    DecodedPicture picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.bitsPerPixel = 24;
    picture.pixels.resize(width * height);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::uint8_t* s = samples.data() + i * static_cast<std::size_t>(channels);
        if (grey) {
            picture.pixels[i] = MakeColour(s[0], s[0], s[0]);
        } else if (cmyk) {
            const unsigned black = s[3];
            picture.pixels[i] = MakeColour(static_cast<std::uint8_t>(black * s[0] / 255),
                                           static_cast<std::uint8_t>(black * s[1] / 255),
                                           static_cast<std::uint8_t>(black * s[2] / 255));
        } else {
            picture.pixels[i] = MakeColour(s[0], s[1], s[2]);
        }
    }
    return {std::move(picture), {}};
}

}  // namespace orvandel
