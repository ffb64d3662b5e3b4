#include "support/test_pictures.h"

#include <algorithm>
#include <stdexcept>

namespace orvandel::testing {
namespace {

void Put16(std::vector<unsigned char>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<unsigned char>(v & 0xFF);
    out[at + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

void Put32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
    }
}

}  // namespace

std::vector<unsigned char> MakeRiffPalette(const std::vector<Colour>& colours) {
    const auto count = static_cast<std::uint32_t>(colours.size());
    const std::uint32_t dataSize = 4 + 4 * count;
    std::vector<unsigned char> out(12 + 8 + dataSize + (dataSize & 1), 0);
    std::copy_n("RIFF", 4, out.begin());
    Put32(out, 4, static_cast<std::uint32_t>(out.size() - 8));
    std::copy_n("PAL ", 4, out.begin() + 8);
    std::copy_n("data", 4, out.begin() + 12);
    Put32(out, 16, dataSize);
    Put16(out, 20, 0x0300);
    Put16(out, 22, count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 24 + 4 * i;
        out[at] = RedOf(colours[i]);
        out[at + 1] = GreenOf(colours[i]);
        out[at + 2] = BlueOf(colours[i]);
    }
    return out;
}

std::vector<unsigned char> MakeBmp(int width, int height, int bitsPerPixel,
                                   const std::vector<Colour>& pixels,
                                   const std::vector<Colour>& table) {
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    const std::size_t stride = ((w * static_cast<std::size_t>(bitsPerPixel) + 31) / 32) * 4;
    const std::size_t tableBytes = bitsPerPixel <= 8 ? 4 * table.size() : 0;
    const std::size_t offset = 54 + tableBytes;
    std::vector<unsigned char> out(offset + stride * h, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, static_cast<std::uint32_t>(offset));
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<std::uint32_t>(width));
    Put32(out, 22, static_cast<std::uint32_t>(height));
    Put16(out, 26, 1);
    Put16(out, 28, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(out, 34, static_cast<std::uint32_t>(stride * h));
    if (bitsPerPixel <= 8) {
        Put32(out, 46, static_cast<std::uint32_t>(table.size()));
        for (std::size_t i = 0; i < table.size(); ++i) {
            out[54 + 4 * i] = BlueOf(table[i]);
            out[54 + 4 * i + 1] = GreenOf(table[i]);
            out[54 + 4 * i + 2] = RedOf(table[i]);
        }
    }
    for (std::size_t y = 0; y < h; ++y) {
        const std::size_t row = offset + (h - 1 - y) * stride;
        for (std::size_t x = 0; x < w; ++x) {
            const Colour c = pixels[y * w + x];
            if (bitsPerPixel == 24) {
                out[row + 3 * x] = BlueOf(c);
                out[row + 3 * x + 1] = GreenOf(c);
                out[row + 3 * x + 2] = RedOf(c);
                continue;
            }
            const auto found = std::find(table.begin(), table.end(), c);
            if (found == table.end()) {
                throw std::invalid_argument("pixel colour not in the table");
            }
            const auto index = static_cast<unsigned>(found - table.begin());
            const std::size_t bit = x * static_cast<std::size_t>(bitsPerPixel);
            const unsigned shift = 8 - static_cast<unsigned>(bitsPerPixel) - (bit % 8);
            out[row + bit / 8] = static_cast<unsigned char>(out[row + bit / 8] | (index << shift));
        }
    }
    return out;
}

Palette16 TestPalette() {
    Palette16 palette;
    for (int i = 0; i < Palette16::kSize; ++i) {
        const auto v = static_cast<std::uint8_t>(i * 16 + 8);
        palette[i] = MakeColour(v, static_cast<std::uint8_t>(255 - v),
                                static_cast<std::uint8_t>((i * 37) & 0xFF));
    }
    return palette;
}

CIndexedImage MakeImage(int width, int height, const std::function<int(int, int)>& index) {
    CIndexedImage image;
    image.SetPalette(TestPalette());
    if (!image.Init(width, height)) {
        return image;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels()[y * width + x] = static_cast<std::uint8_t>(index(x, y));
        }
    }
    return image;
}

}  // namespace orvandel::testing
