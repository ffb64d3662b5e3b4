#include "core/image/picture_decoder.h"

#include <vector>

#include "core/common/file_reader.h"
#include "core/common/message_texts.h"
#include "core/image/bmp_decoder.h"
#include "core/image/gif_decoder.h"
#include "core/image/jpeg_decoder.h"
#include "core/image/png_decoder.h"

namespace orvandel {
namespace {

// Enough of a file for any decoder to tell its format by the signature.
constexpr std::size_t kHeadSize = 64;

std::vector<std::shared_ptr<const PictureDecoder>>& RegisteredDecoders() {
    static std::vector<std::shared_ptr<const PictureDecoder>> decoders;
    return decoders;
}

}  // namespace

void RegisterPictureDecoder(std::shared_ptr<const PictureDecoder> decoder) {
    if (decoder) {
        RegisteredDecoders().push_back(std::move(decoder));
    }
}

void ClearRegisteredPictureDecoders() {
    RegisteredDecoders().clear();
}

DecodeResult DecodePictureFile(const std::filesystem::path& fileName) {
    return DecodePictureFile(fileName, nullptr);
}

DecodeResult DecodePictureFile(const std::filesystem::path& fileName, ColourRowSink* rows) {
    auto file = ReadableFile::Open(fileName);
    if (!file.IsOpen()) {
        return DecodeResult::Fail(file.reason());
    }
    std::vector<std::uint8_t> head;
    if (!file.Read(0, kHeadSize, head)) {
        return DecodeResult::Fail(file.reason());
    }
    if (head.empty()) {
        return DecodeResult::Fail("empty file");
    }
    const BmpDecoder bmp;
    // A BMP file is ours alone: another decoder's opinion of a broken BMP would only hide why
    // the game itself will not load it.
    if (bmp.Recognizes(head)) {
        return bmp.Decode(file, rows);
    }
    // The same readers on every platform, ahead of any a program adds, so that a picture
    // reads alike wherever the wall set is opened.
    static const PngDecoder png;
    static const GifDecoder gif;
    static const JpegDecoder jpeg;
    for (const PictureDecoder* decoder :
         {static_cast<const PictureDecoder*>(&png), static_cast<const PictureDecoder*>(&gif),
          static_cast<const PictureDecoder*>(&jpeg)}) {
        if (decoder->Recognizes(head)) {
            return decoder->Decode(fileName);
        }
    }
    for (const auto& decoder : RegisteredDecoders()) {
        if (decoder->Recognizes(head)) {
            return decoder->Decode(fileName);
        }
    }
    return DecodeResult::Fail(std::string(messages::kUnknownPictureFormat));
}

}  // namespace orvandel
