#include "image/bmp_decoder_builder.h"

#include <stdexcept>

namespace orvandel::testing {
namespace {

std::vector<std::uint8_t> PackRows(const BmpRecipe& recipe) {
    const auto w = static_cast<std::size_t>(recipe.width);
    const auto h = static_cast<std::size_t>(recipe.height);
    const auto bpp = static_cast<std::size_t>(recipe.bitsPerPixel);
    const std::size_t stride = (w * bpp + 31) / 32 * 4;
    std::vector<std::uint8_t> out(stride * h, 0);
    for (std::size_t y = 0; y < h; ++y) {
        const std::size_t row = (recipe.topDown ? y : h - 1 - y) * stride;
        for (std::size_t x = 0; x < w; ++x) {
            if (bpp == 24) {
                const Colour c = recipe.pixels[y * w + x];
                out[row + 3 * x] = BlueOf(c);
                out[row + 3 * x + 1] = GreenOf(c);
                out[row + 3 * x + 2] = RedOf(c);
                continue;
            }
            const std::size_t bit = x * bpp;
            const auto shift = static_cast<unsigned>(8 - bpp - bit % 8);
            out[row + bit / 8] = static_cast<std::uint8_t>(out[row + bit / 8] |
                                                           (recipe.indices[y * w + x] << shift));
        }
    }
    return out;
}

template <typename EmitRun, typename EmitAbsolute>
std::vector<std::uint8_t> EncodeRle(const std::vector<std::uint8_t>& indices, int width, int height,
                                    EmitRun emitRun, EmitAbsolute emitAbsolute) {
    std::vector<std::uint8_t> out;
    const auto w = static_cast<std::size_t>(width);
    for (int r = height - 1; r >= 0; --r) {
        const auto* row = indices.data() + static_cast<std::size_t>(r) * w;
        std::size_t x = 0;
        while (x < w) {
            std::size_t same = 1;
            while (x + same < w && same < 255 && row[x + same] == row[x]) {
                ++same;
            }
            if (same >= 2) {
                emitRun(out, same, row[x]);
                x += same;
                continue;
            }
            // Gather pixels until a repeat starts; absolute runs need at least three.
            std::size_t literal = 1;
            while (x + literal < w && literal < 255 &&
                   !(x + literal + 1 < w && row[x + literal] == row[x + literal + 1])) {
                ++literal;
            }
            if (literal < 3) {
                for (std::size_t i = 0; i < literal; ++i) {
                    emitRun(out, 1, row[x + i]);
                }
            } else {
                emitAbsolute(out, row + x, literal);
            }
            x += literal;
        }
        if (r > 0) {
            out.insert(out.end(), {0, 0});
        }
    }
    out.insert(out.end(), {0, 1});
    return out;
}

}  // namespace

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 2; ++i) {
        out.at(at + i) = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        out.at(at + i) = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

std::vector<std::uint8_t> EncodeRle8(const std::vector<std::uint8_t>& indices, int width,
                                     int height) {
    return EncodeRle(
        indices, width, height,
        [](std::vector<std::uint8_t>& out, std::size_t count, std::uint8_t index) {
            out.push_back(static_cast<std::uint8_t>(count));
            out.push_back(index);
        },
        [](std::vector<std::uint8_t>& out, const std::uint8_t* pixels, std::size_t count) {
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(count));
            out.insert(out.end(), pixels, pixels + count);
            if (count % 2 == 1) {
                out.push_back(0);
            }
        });
}

std::vector<std::uint8_t> EncodeRle4(const std::vector<std::uint8_t>& indices, int width,
                                     int height) {
    return EncodeRle(
        indices, width, height,
        [](std::vector<std::uint8_t>& out, std::size_t count, std::uint8_t index) {
            out.push_back(static_cast<std::uint8_t>(count));
            out.push_back(static_cast<std::uint8_t>(index << 4 | index));
        },
        [](std::vector<std::uint8_t>& out, const std::uint8_t* pixels, std::size_t count) {
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(count));
            const std::size_t bytes = (count + 1) / 2;
            for (std::size_t i = 0; i < bytes; ++i) {
                const unsigned high = pixels[2 * i];
                const unsigned low = 2 * i + 1 < count ? pixels[2 * i + 1] : 0;
                out.push_back(static_cast<std::uint8_t>(high << 4 | low));
            }
            if (bytes % 2 == 1) {
                out.push_back(0);
            }
        });
}

std::vector<std::uint8_t> BuildBmp(const BmpRecipe& recipe) {
    const bool os2Core = recipe.infoSize == 12;
    const bool indexed = recipe.bitsPerPixel <= 8;
    const std::size_t entrySize = os2Core ? 3 : 4;
    const std::size_t tableBytes = indexed ? entrySize * recipe.table.size() : 0;
    std::vector<std::uint8_t> pixels;
    if (recipe.compression == BmpCompression::kNone) {
        pixels = PackRows(recipe);
    } else if (recipe.bitsPerPixel == 8) {
        pixels = EncodeRle8(recipe.indices, recipe.width, recipe.height);
    } else if (recipe.bitsPerPixel == 4) {
        pixels = EncodeRle4(recipe.indices, recipe.width, recipe.height);
    } else {
        throw std::invalid_argument("RLE needs 4 or 8 bits per pixel");
    }
    const std::size_t tableStart = 14 + static_cast<std::size_t>(recipe.infoSize);
    const std::size_t offset = tableStart + tableBytes + recipe.gapBeforePixels;
    std::vector<std::uint8_t> out(offset + pixels.size(), 0);
    Put16(out, 0, 'B' | 'M' << 8);
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, static_cast<std::uint32_t>(offset));
    Put32(out, 14, static_cast<std::uint32_t>(recipe.infoSize));
    if (os2Core) {
        Put16(out, 18, static_cast<std::uint32_t>(recipe.width));
        Put16(out, 20, static_cast<std::uint32_t>(recipe.height));
        Put16(out, 22, 1);
        Put16(out, 24, static_cast<std::uint32_t>(recipe.bitsPerPixel));
    } else {
        Put32(out, 18, static_cast<std::uint32_t>(recipe.width));
        Put32(out, 22, static_cast<std::uint32_t>(recipe.topDown ? -recipe.height : recipe.height));
        Put16(out, 26, 1);
        Put16(out, 28, static_cast<std::uint32_t>(recipe.bitsPerPixel));
    }
    if (recipe.infoSize >= 40) {
        const std::uint32_t compression = recipe.compression == BmpCompression::kNone ? 0
                                          : recipe.bitsPerPixel == 8                  ? 1
                                                                                      : 2;
        Put32(out, 30, compression);
        Put32(out, 34, static_cast<std::uint32_t>(pixels.size()));
        Put32(out, 38, 2835);
        Put32(out, 42, 2835);
        if (indexed && recipe.writeColoursUsed) {
            Put32(out, 46, static_cast<std::uint32_t>(recipe.table.size()));
        }
    }
    if (indexed) {
        for (std::size_t i = 0; i < recipe.table.size(); ++i) {
            const std::size_t at = tableStart + i * entrySize;
            out[at] = BlueOf(recipe.table[i]);
            out[at + 1] = GreenOf(recipe.table[i]);
            out[at + 2] = RedOf(recipe.table[i]);
        }
    }
    std::copy(pixels.begin(), pixels.end(), out.begin() + static_cast<std::ptrdiff_t>(offset));
    return out;
}

std::vector<std::uint8_t> BuildRleBmp(int width, int height, int bitsPerPixel,
                                      const std::vector<Colour>& table,
                                      const std::vector<std::uint8_t>& stream) {
    BmpRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bitsPerPixel = bitsPerPixel;
    recipe.table = table;
    recipe.indices.assign(static_cast<std::size_t>(width * height), 0);
    recipe.compression = BmpCompression::kRle;
    auto out = BuildBmp(recipe);
    const std::size_t offset = 54 + 4 * table.size();
    out.resize(offset);
    out.insert(out.end(), stream.begin(), stream.end());
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 34, static_cast<std::uint32_t>(stream.size()));
    return out;
}

}  // namespace orvandel::testing
