#include "core/image/png_decoder.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include "core/common/file_reader.h"
#include "core/common/message_texts.h"
#include "core/image/libpng_glue.h"

namespace orvandel {
namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct MemoryInput {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t at = 0;
};

extern "C" void PngReadFromMemory(png_structp png, png_bytep out, std::size_t length) {
    auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (length > in->size - in->at) {
        png_error(png, "the file ends early");
    }
    std::memcpy(out, in->data + in->at, length);
    in->at += length;
}

// The header as libpng reports it. Plain data: it is filled inside the setjmp frame.
struct PngHeader {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    png_color palette[256] = {};
    int paletteSize = 0;
    png_byte paletteAlpha[256] = {};
    int paletteAlphaSize = 0;
    bool hasTrns = false;
    png_color_16 trnsColour = {};
    std::size_t rowBytes = 0;
};

// The libpng state of one decode. libpng leaves an error by longjmp to the setjmp in the
// function that made the call, so both steps below own nothing but what this struct holds, and
// the caller frees it whatever happened.
struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    MemoryInput input;
    LibpngMessage message;

    ~PngReader() {
        if (png != nullptr) {
            png_destroy_read_struct(&png, &info, nullptr);
        }
    }
};

bool ReadHeader(PngReader& reader, PngHeader& header) {
    reader.png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader.message, LibpngError, LibpngWarning);
    if (reader.png == nullptr) {
        return false;
    }
    reader.info = png_create_info_struct(reader.png);
    if (reader.info == nullptr) {
        return false;
    }
    png_structp png = reader.png;
    png_infop info = reader.info;
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_read_fn(png, &reader.input, PngReadFromMemory);
    // The size is judged by the caller, so that an oversized picture gets the same refusal as
    // any other; libpng only has to report it.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_chunk_malloc_max(png, 8u << 20);
    png_read_info(png, info);
    int interlace = 0;
    png_get_IHDR(png, info, &header.width, &header.height, &header.bitDepth, &header.colourType,
                 &interlace, nullptr, nullptr);
    png_colorp palette = nullptr;
    if (png_get_PLTE(png, info, &palette, &header.paletteSize) != 0) {
        header.paletteSize = std::clamp(header.paletteSize, 0, 256);
        std::memcpy(header.palette, palette,
                    sizeof(png_color) * static_cast<std::size_t>(header.paletteSize));
    }
    png_bytep alpha = nullptr;
    png_color_16p colour = nullptr;
    int alphaCount = 0;
    if (png_get_tRNS(png, info, &alpha, &alphaCount, &colour) != 0) {
        header.hasTrns = true;
        if (alpha != nullptr && header.colourType == PNG_COLOR_TYPE_PALETTE) {
            header.paletteAlphaSize = std::clamp(alphaCount, 0, 256);
            std::memcpy(header.paletteAlpha, alpha,
                        static_cast<std::size_t>(header.paletteAlphaSize));
        }
        if (colour != nullptr) {
            header.trnsColour = *colour;
        }
    }
    return true;
}

// Unpacks depths below 8 to a byte per sample and widens nothing else, then reports a row's size.
bool PrepareRows(PngReader& reader, PngHeader& header) {
    png_structp png = reader.png;
    png_infop info = reader.info;
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    if (header.bitDepth < 8) {
        png_set_packing(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    header.rowBytes = png_get_rowbytes(png, info);
    return true;
}

bool ReadRows(PngReader& reader, png_bytepp rows) {
    png_structp png = reader.png;
    png_infop info = reader.info;
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

std::string Failure(const PngReader& reader) {
    if (reader.message.text[0] == '\0') {
        return "cannot decode (out of memory)";
    }
    return std::string("cannot decode (") + reader.message.text + ")";
}

unsigned Sample(const std::uint8_t* row, std::size_t index, int bitDepth) {
    if (bitDepth == 16) {
        return (unsigned{row[2 * index]} << 8) | row[2 * index + 1];
    }
    return row[index];
}

std::uint8_t ToEight(unsigned sample, int bitDepth) {
    return bitDepth == 16 ? SixteenToEight(sample) : static_cast<std::uint8_t>(sample);
}

DecodeResult Finish(DecodedPicture picture, std::span<const std::uint8_t> tableAlpha) {
    if (std::string problem = IndexedPictureProblem(picture, tableAlpha); !problem.empty()) {
        return DecodeResult::Fail(std::move(problem));
    }
    return {std::move(picture), {}};
}

DecodeResult FromPalette(const PngHeader& header, const std::vector<std::uint8_t>& raw,
                         DecodedPicture picture) {
    // A 2-bit palette keeps its depth, which the wall set does not take: the refusal then
    // names the depth and how to save the picture instead.
    picture.bitsPerPixel = header.bitDepth;
    for (int i = 0; i < header.paletteSize; ++i) {
        const png_color& c = header.palette[i];
        picture.colourTable.push_back(MakeColour(c.red, c.green, c.blue));
    }
    picture.indices = raw;
    return Finish(std::move(picture), std::span(header.paletteAlpha,
                                                static_cast<std::size_t>(header.paletteAlphaSize)));
}

DecodeResult FromGreyTable(const PngHeader& header, const std::vector<std::uint8_t>& raw,
                           DecodedPicture picture) {
    const std::size_t pixelCount = raw.size() / (header.bitDepth == 16 ? 2 : 1);
    std::vector<std::uint8_t> alpha;
    if (header.bitDepth == 1) {
        // White first, black second, as painting tools show one-bit pictures.
        picture.bitsPerPixel = 1;
        picture.colourTable = {MakeColour(255, 255, 255), MakeColour(0, 0, 0)};
        picture.indices.resize(pixelCount);
        for (std::size_t i = 0; i < pixelCount; ++i) {
            picture.indices[i] = raw[i] == 0 ? 1 : 0;
        }
        if (header.hasTrns && header.trnsColour.gray <= 1) {
            alpha = {255, 255};
            alpha[header.trnsColour.gray == 0 ? 1 : 0] = 0;
        }
        return Finish(std::move(picture), alpha);
    }
    picture.bitsPerPixel = 8;
    const int levels = header.bitDepth < 8 ? 1 << header.bitDepth : 256;
    for (int i = 0; i < levels; ++i) {
        const auto grey = static_cast<std::uint8_t>(i * 255 / (levels - 1));
        picture.colourTable.push_back(MakeColour(grey, grey, grey));
    }
    picture.indices.resize(pixelCount);
    for (std::size_t i = 0; i < pixelCount; ++i) {
        // Sixteen bits keep their high byte here: a ramp of 256 entries has no finer steps.
        picture.indices[i] = static_cast<std::uint8_t>(Sample(raw.data(), i, header.bitDepth) >>
                                                       (header.bitDepth == 16 ? 8 : 0));
    }
    if (header.hasTrns && header.trnsColour.gray < levels) {
        alpha.assign(static_cast<std::size_t>(levels), 255);
        alpha[header.trnsColour.gray] = 0;
    }
    return Finish(std::move(picture), alpha);
}

DecodeResult FromColour(const PngHeader& header, const std::vector<std::uint8_t>& raw,
                        DecodedPicture picture) {
    const bool colour = (header.colourType & PNG_COLOR_MASK_COLOR) != 0;
    const bool hasAlpha = (header.colourType & PNG_COLOR_MASK_ALPHA) != 0;
    const std::size_t channels = (colour ? 3u : 1u) + (hasAlpha ? 1u : 0u);
    const std::size_t pixelCount =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    const int depth = header.bitDepth;
    picture.bitsPerPixel = 24;
    picture.pixels.resize(pixelCount);
    for (std::size_t i = 0; i < pixelCount; ++i) {
        const std::size_t at = i * channels;
        const unsigned red = Sample(raw.data(), at, depth);
        const unsigned green = colour ? Sample(raw.data(), at + 1, depth) : red;
        const unsigned blue = colour ? Sample(raw.data(), at + 2, depth) : red;
        if (hasAlpha && ToEight(Sample(raw.data(), at + channels - 1, depth), depth) < 255) {
            return DecodeResult::Fail(std::string(messages::kTransparentPixels));
        }
        // tRNS names one exact colour, at the file's own depth, as see-through.
        if (header.hasTrns && !hasAlpha &&
            (colour ? red == header.trnsColour.red && green == header.trnsColour.green &&
                          blue == header.trnsColour.blue
                    : red == header.trnsColour.gray)) {
            return DecodeResult::Fail(std::string(messages::kTransparentPixels));
        }
        picture.pixels[i] =
            MakeColour(ToEight(red, depth), ToEight(green, depth), ToEight(blue, depth));
    }
    return {std::move(picture), {}};
}

}  // namespace

bool PngDecoder::Recognizes(std::span<const std::uint8_t> head) const {
    return head.size() >= sizeof kSignature &&
           std::equal(std::begin(kSignature), std::end(kSignature), head.begin());
}

DecodeResult PngDecoder::Decode(const std::filesystem::path& fileName) const {
    const FileBytes file = ReadWholeFile(fileName, kMaxEncodedPictureBytes);
    if (!file.bytes) {
        return DecodeResult::Fail(file.reason);
    }
    return DecodeBytes(*file.bytes);
}

DecodeResult PngDecoder::DecodeBytes(std::span<const std::uint8_t> bytes) {
    PngReader reader;
    reader.input = MemoryInput{bytes.data(), bytes.size(), 0};
    PngHeader header;
    if (!ReadHeader(reader, header)) {
        return DecodeResult::Fail(Failure(reader));
    }
    if (std::string refusal = PictureSizeRefusal(header.width, header.height); !refusal.empty()) {
        return DecodeResult::Fail(std::move(refusal));
    }
    if (header.colourType == PNG_COLOR_TYPE_PALETTE && header.paletteSize == 0) {
        return DecodeResult::Fail("cannot decode (a palette picture without its palette)");
    }
    if (!PrepareRows(reader, header)) {
        return DecodeResult::Fail(Failure(reader));
    }
    std::vector<std::uint8_t> raw;
    std::vector<png_bytep> rows;
    try {
        raw.resize(header.rowBytes * header.height);
        rows.resize(header.height);
    } catch (const std::bad_alloc&) {
        return DecodeResult::Fail("cannot decode (out of memory)");
    }
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = raw.data() + y * header.rowBytes;
    }
    if (!ReadRows(reader, rows.data())) {
        return DecodeResult::Fail(Failure(reader));
    }

    DecodedPicture picture;
    picture.width = static_cast<int>(header.width);
    picture.height = static_cast<int>(header.height);
    switch (header.colourType) {
        case PNG_COLOR_TYPE_PALETTE:
            return FromPalette(header, raw, std::move(picture));
        case PNG_COLOR_TYPE_GRAY:
            if (header.bitDepth < 8 || header.hasTrns) {
                return FromGreyTable(header, raw, std::move(picture));
            }
            return FromColour(header, raw, std::move(picture));
        default:
            return FromColour(header, raw, std::move(picture));
    }
}

}  // namespace orvandel
