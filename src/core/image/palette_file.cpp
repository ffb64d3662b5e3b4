#include "core/image/palette_file.h"

#include <array>
#include <span>

#include "core/common/message_texts.h"
#include "core/image/picture_decoder.h"

namespace orvandel {
namespace {

void Append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void AppendText(std::vector<std::uint8_t>& out, const char (&text)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(text[i]));
    }
}

}  // namespace

PaletteOfFile ReadPaletteOfFile(const std::filesystem::path& fileName) {
    PaletteOfFile result;
    Palette16 palette;
    const Status read = palette.ReadPaletteFile(fileName);
    if (read) {
        result.palette = palette;
        return result;
    }
    // Only a file that is no palette at all may be a picture; a broken palette says why.
    if (read.reason() != messages::kNoRiffChunk) {
        result.reason = read.reason();
        return result;
    }
    const DecodeResult decoded = DecodePictureFile(fileName);
    if (!decoded.picture) {
        result.reason = messages::NeitherPaletteNorPicture(decoded.reason);
        return result;
    }
    result.picture = true;
    const DecodedPicture& picture = *decoded.picture;
    if (!picture.IsIndexed()) {
        result.reason = messages::PictureWithoutColourTable(picture.bitsPerPixel);
        return result;
    }
    // A table the decoder padded with black is as short as the file made it.
    const std::size_t entries =
        picture.fileColourEntries != 0 ? picture.fileColourEntries : picture.colourTable.size();
    if (entries < static_cast<std::size_t>(Palette16::kSize)) {
        result.reason = messages::ColourTableTooSmall(entries);
        return result;
    }
    for (int i = 0; i < Palette16::kSize; ++i) {
        palette[i] = picture.colourTable[static_cast<std::size_t>(i)] & 0xFFFFFFu;
    }
    result.palette = palette;
    return result;
}

std::vector<std::uint8_t> RiffPaletteBytes(const Palette16& palette) {
    constexpr std::uint32_t kDataSize = 4 + 4 * Palette16::kSize;
    std::vector<std::uint8_t> bytes;
    AppendText(bytes, "RIFF");
    Append32(bytes, 4 + 8 + kDataSize);
    AppendText(bytes, "PAL ");
    AppendText(bytes, "data");
    Append32(bytes, kDataSize);
    bytes.push_back(0x00);  // version 0x0300, little-endian
    bytes.push_back(0x03);
    bytes.push_back(static_cast<std::uint8_t>(Palette16::kSize));
    bytes.push_back(0x00);
    for (const Colour colour : palette.colours()) {
        bytes.push_back(RedOf(colour));
        bytes.push_back(GreenOf(colour));
        bytes.push_back(BlueOf(colour));
        bytes.push_back(0x00);  // flags
    }
    return bytes;
}

Status WriteRiffPalette(const std::filesystem::path& target, const Palette16& palette,
                        FileOps& ops) {
    const std::vector<std::uint8_t> bytes = RiffPaletteBytes(palette);
    const std::array<std::span<const std::uint8_t>, 1> chunks = {
        std::span<const std::uint8_t>(bytes)};
    return WriteNamedFile(target, chunks, ops);
}

}  // namespace orvandel
