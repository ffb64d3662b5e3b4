#include "core/image/gif_decoder.h"

#include <gif_lib.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/common/file_reader.h"
#include "core/common/message_texts.h"

namespace orvandel {
namespace {

struct MemoryInput {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t at = 0;
};

extern "C" int GifReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
    auto* in = static_cast<MemoryInput*>(gif->UserData);
    const std::size_t wanted = length > 0 ? static_cast<std::size_t>(length) : 0;
    const std::size_t count = std::min(wanted, in->size - in->at);
    std::memcpy(out, in->data + in->at, count);
    in->at += count;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

std::string Failure(int error) {
    const char* text = GifErrorString(error);
    return std::string("cannot decode (") + (text != nullptr ? text : "broken GIF file") + ")";
}

std::string Failure(const GifFileType* gif) {
    return Failure(gif->Error);
}

// Rows in the order an interlaced picture stores them: every 8th from 0, every 8th from 4,
// every 4th from 2, every 2nd from 1.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) {
            order.push_back(y);
        }
        return order;
    }
    constexpr int kStart[4] = {0, 4, 2, 1};
    constexpr int kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = kStart[pass]; y < height; y += kStep[pass]) {
            order.push_back(y);
        }
    }
    return order;
}

std::optional<Colour> TableColour(const ColorMapObject* table, int index, int transparent) {
    if (table == nullptr || index < 0 || index >= table->ColorCount || index == transparent) {
        return std::nullopt;
    }
    const GifColorType& c = table->Colors[index];
    return MakeColour(c.Red, c.Green, c.Blue);
}

std::string IndexProblem(const ColorMapObject* table, int index, int transparent) {
    if (index == transparent) {
        return std::string(messages::kTransparentPixels);
    }
    if (table == nullptr) {
        return "cannot decode (no colour table)";
    }
    return "pixel index " + std::to_string(index) + " outside the colour table";
}

}  // namespace

bool GifDecoder::Recognizes(std::span<const std::uint8_t> head) const {
    return head.size() >= 6 && (std::memcmp(head.data(), "GIF87a", 6) == 0 ||
                                std::memcmp(head.data(), "GIF89a", 6) == 0);
}

DecodeResult GifDecoder::Decode(const std::filesystem::path& fileName) const {
    const FileBytes file = ReadWholeFile(fileName, kMaxEncodedPictureBytes);
    if (!file.bytes) {
        return DecodeResult::Fail(file.reason);
    }
    return DecodeBytes(*file.bytes);
}

DecodeResult GifDecoder::DecodeBytes(std::span<const std::uint8_t> bytes) {
    MemoryInput input{bytes.data(), bytes.size(), 0};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&input, GifReadFromMemory, &error));
    if (!gif) {
        return DecodeResult::Fail(Failure(error));
    }
    const int screenWidth = gif->SWidth;
    const int screenHeight = gif->SHeight;
    if (std::string refusal = PictureSizeRefusal(screenWidth, screenHeight); !refusal.empty()) {
        return DecodeResult::Fail(std::move(refusal));
    }

    // Extensions before the first picture: only the graphic control block matters, for its
    // transparent index.
    int transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) {
            return DecodeResult::Fail(Failure(gif.get()));
        }
        if (record == IMAGE_DESC_RECORD_TYPE) {
            break;
        }
        if (record == TERMINATE_RECORD_TYPE) {
            return DecodeResult::Fail("cannot decode (a GIF file without a picture)");
        }
        if (record != EXTENSION_RECORD_TYPE) {
            return DecodeResult::Fail("cannot decode (broken GIF file)");
        }
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) {
            return DecodeResult::Fail(Failure(gif.get()));
        }
        if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
            GraphicsControlBlock control{};
            if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
                transparent = control.TransparentColor;
            }
        }
        while (block != nullptr) {
            if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) {
                return DecodeResult::Fail(Failure(gif.get()));
            }
        }
    }
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) {
        return DecodeResult::Fail(Failure(gif.get()));
    }
    const GifImageDesc& frame = gif->Image;
    if (std::string refusal = PictureSizeRefusal(frame.Width, frame.Height); !refusal.empty()) {
        return DecodeResult::Fail(std::move(refusal));
    }
    const ColorMapObject* table = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    if (screenWidth <= 0 || screenHeight <= 0 || frame.Width <= 0 || frame.Height <= 0) {
        return DecodeResult::Fail("empty picture");
    }

    DecodedPicture picture;
    picture.width = screenWidth;
    picture.height = screenHeight;
    picture.bitsPerPixel = 24;
    std::vector<bool> covered;
    std::vector<GifPixelType> line;
    try {
        picture.pixels.assign(
            static_cast<std::size_t>(screenWidth) * static_cast<std::size_t>(screenHeight), 0);
        covered.assign(picture.pixels.size(), false);
        line.resize(static_cast<std::size_t>(frame.Width));
    } catch (const std::bad_alloc&) {
        return DecodeResult::Fail("cannot decode (out of memory)");
    }
    // Every line is decoded, even those off the screen: the data of the next one follows it.
    for (const int row : RowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR) {
            return DecodeResult::Fail(Failure(gif.get()));
        }
        const int y = frame.Top + row;
        if (y >= screenHeight) {
            continue;
        }
        for (int column = 0; column < frame.Width; ++column) {
            const int x = frame.Left + column;
            if (x >= screenWidth) {
                break;
            }
            const int index = line[static_cast<std::size_t>(column)];
            const std::optional<Colour> colour = TableColour(table, index, transparent);
            if (!colour) {
                return DecodeResult::Fail(IndexProblem(table, index, transparent));
            }
            const auto at = static_cast<std::size_t>(y) * static_cast<std::size_t>(screenWidth) +
                            static_cast<std::size_t>(x);
            picture.pixels[at] = *colour;
            covered[at] = true;
        }
    }
    // The rest of the screen shows the background colour from the global table; white when the
    // file names none there, as painting tools show such a file.
    std::optional<Colour> background =
        TableColour(gif->SColorMap, gif->SBackGroundColor, transparent);
    if (!background && gif->SBackGroundColor != transparent) {
        background = MakeColour(255, 255, 255);
    }
    for (std::size_t at = 0; at < picture.pixels.size(); ++at) {
        if (!covered[at]) {
            if (!background) {
                return DecodeResult::Fail(std::string(messages::kTransparentPixels));
            }
            picture.pixels[at] = *background;
        }
    }
    return {std::move(picture), {}};
}

}  // namespace orvandel
