#include "core/image/png_writer.h"

#include <png.h>

#include <array>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "core/image/file_ops.h"
#include "core/image/libpng_glue.h"

namespace orvandel {
namespace {

// What libpng writes into. Plain memory, not a vector: libpng leaves a failed write by
// longjmp, which must not skip a destructor.
struct PngOutput {
    std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t capacity = 0;
    LibpngMessage message;
};

extern "C" void PngAppendToOutput(png_structp png, png_bytep bytes, std::size_t length) {
    auto* out = static_cast<PngOutput*>(png_get_io_ptr(png));
    if (length > out->capacity - out->size) {
        std::size_t capacity = out->capacity == 0 ? 4096 : out->capacity;
        while (length > capacity - out->size) {
            capacity *= 2;
        }
        void* grown = std::realloc(out->data, capacity);
        if (grown == nullptr) {
            png_error(png, "out of memory");
        }
        out->data = static_cast<std::uint8_t*>(grown);
        out->capacity = capacity;
    }
    std::memcpy(out->data + out->size, bytes, length);
    out->size += length;
}

extern "C" void PngFlushOutput(png_structp) {}

// Everything the encoder needs, laid out before it starts, so that nothing inside the setjmp
// frame owns memory.
struct PngLayout {
    int width = 0;
    int height = 0;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    bool bgr = false;
    const png_color* palette = nullptr;
    int paletteSize = 0;
    png_bytep* rows = nullptr;  // top row first
};

bool EncodeLayout(const PngLayout& layout, PngOutput& out) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &out.message, LibpngError, LibpngWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, PngAppendToOutput, PngFlushOutput);
    png_set_IHDR(png, info, static_cast<png_uint_32>(layout.width),
                 static_cast<png_uint_32>(layout.height), layout.bitDepth, layout.colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.palette != nullptr) {
        png_set_PLTE(png, info, layout.palette, layout.paletteSize);
    }
    png_write_info(png, info);
    if (layout.bgr) {
        png_set_bgr(png);
    }
    png_write_image(png, layout.rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::optional<std::vector<std::uint8_t>> Encode(const PngLayout& layout) {
    PngOutput out;
    const bool encoded = EncodeLayout(layout, out);
    std::optional<std::vector<std::uint8_t>> bytes;
    if (encoded) {
        try {
            bytes.emplace(out.data, out.data + out.size);
        } catch (const std::bad_alloc&) {
            bytes.reset();
        }
    }
    std::free(out.data);
    return bytes;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodePaletteDibPng(const CPaletteDib& dib) {
    BitmapInfo info;
    if (!dib.HasBitmap() || !dib.GetBitmapInfo(info) || info.width <= 0 || info.height <= 0) {
        return std::nullopt;
    }
    const int depth = info.bitsPerPixel;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24) {
        return std::nullopt;
    }
    // The bitmap's rows are already what PNG wants (indices packed high bits first, or BGR
    // triples), only bottom-up: the encoder gets them in the other order.
    auto* bits = const_cast<std::uint8_t*>(dib.GetBits());
    std::vector<png_bytep> rows(static_cast<std::size_t>(info.height));
    for (int y = 0; y < info.height; ++y) {
        rows[static_cast<std::size_t>(y)] = bits + static_cast<std::size_t>(info.height - 1 - y) *
                                                       static_cast<std::size_t>(info.widthBytes);
    }
    PngLayout layout;
    layout.width = info.width;
    layout.height = info.height;
    layout.rows = rows.data();
    std::vector<png_color> palette;
    if (depth == 24) {
        layout.bgr = true;
    } else {
        for (const RgbQuad& entry : dib.colourTable()) {
            palette.push_back(png_color{entry.red, entry.green, entry.blue});
        }
        if (palette.empty() || palette.size() > (std::size_t{1} << depth)) {
            return std::nullopt;
        }
        layout.bitDepth = depth;
        layout.colourType = PNG_COLOR_TYPE_PALETTE;
        layout.palette = palette.data();
        layout.paletteSize = static_cast<int>(palette.size());
    }
    return Encode(layout);
}

std::optional<std::vector<std::uint8_t>> EncodeRgbPng(int width, int height,
                                                      std::span<const std::uint8_t> rgb) {
    if (width <= 0 || height <= 0 ||
        rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) {
        return std::nullopt;
    }
    auto* bytes = const_cast<std::uint8_t*>(rgb.data());  // libpng only reads them
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        rows[static_cast<std::size_t>(y)] =
            bytes + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
    }
    PngLayout layout;
    layout.width = width;
    layout.height = height;
    layout.rows = rows.data();
    return Encode(layout);
}

Status WritePngFile(std::span<const std::uint8_t> png, const std::filesystem::path& fileName) {
    const std::array<std::span<const std::uint8_t>, 1> chunks{png};
    return WriteNamedFile(fileName, chunks);
}

Status WritePaletteDibPng(const CPaletteDib& dib, const std::filesystem::path& fileName) {
    // Encoding first and writing the bytes is what makes a file and a pipe get the same PNG.
    const std::optional<std::vector<std::uint8_t>> png = EncodePaletteDibPng(dib);
    if (!png) {
        return Status::Fail("the bitmap holds no picture");
    }
    return WritePngFile(*png, fileName);
}

}  // namespace orvandel
