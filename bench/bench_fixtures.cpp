#include "bench_fixtures.h"

#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include "core/image/colour_table.h"
#include "core/image/palette_dib.h"
#include "core/view/view_cell_table.h"
#include "core/view/viewport_size.h"
#include "core/wallset/wall_set_slots.h"
#include "core/wallset/wallset_keys.h"

namespace orvandel::bench {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate =
            fs::temp_directory_path() / ("orvandel-bench-" + std::to_string(device()));
        if (fs::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a scratch folder");
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

Palette16 BenchPalette() {
    Palette16 palette;
    for (int i = 0; i < Palette16::kSize; ++i) {
        const auto level = static_cast<std::uint8_t>(i * 17);
        palette[i] = MakeColour(level, static_cast<std::uint8_t>(255 - level),
                                static_cast<std::uint8_t>((i * 53) & 0xFF));
    }
    return palette;
}

std::vector<std::uint8_t> RiffPaletteBytes(const Palette16& palette) {
    std::vector<std::uint8_t> bytes = {'R', 'I', 'F', 'F', 0,  0, 0, 0, 'P', 'A', 'L', ' ',
                                       'd', 'a', 't', 'a', 68, 0, 0, 0, 0,   3,   16,  0};
    for (Colour colour : palette.colours()) {
        bytes.insert(bytes.end(), {RedOf(colour), GreenOf(colour), BlueOf(colour), 0});
    }
    bytes[4] = static_cast<std::uint8_t>(bytes.size() - 8);
    return bytes;
}

void WriteBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::vector<std::uint8_t> MaximumPictureBytes(PictureKind kind) {
    constexpr int kWidth = kMaxPictureWidth;
    constexpr int kHeight = kMaxPictureHeight;
    CPaletteDib dib;
    if (kind == PictureKind::kTrueColourDistinct) {
        if (!dib.Create(kWidth, kHeight, 24, {}, 0)) {
            throw std::runtime_error("cannot create a 24-bit picture");
        }
    } else {
        ColourTable256 table{};
        for (std::size_t i = 0; i < table.size(); ++i) {
            const auto v = static_cast<std::uint8_t>(i);
            table[i] =
                RgbQuad{v, static_cast<std::uint8_t>(v * 3), static_cast<std::uint8_t>(v * 7), 0};
        }
        if (!dib.Create(kWidth, kHeight, 8, table, 256)) {
            throw std::runtime_error("cannot create an 8-bit picture");
        }
    }
    BitmapInfo info;
    dib.GetBitmapInfo(info);
    for (int row = 0; row < kHeight; ++row) {
        std::uint8_t* line = info.bits + static_cast<std::ptrdiff_t>(row) * info.widthBytes;
        for (int x = 0; x < kWidth; ++x) {
            const auto pixel = static_cast<std::uint32_t>(row * kWidth + x);
            if (kind == PictureKind::kIndexed8) {
                line[x] = static_cast<std::uint8_t>((pixel * 37u) & 0xFF);
                continue;
            }
            // Multiplying by an odd constant permutes 24-bit values: 320,000 distinct colours
            // spread over the whole cube rather than one gradient.
            const std::uint32_t colour = (pixel * 2654435761u) & 0xFFFFFFu;
            line[3 * x] = static_cast<std::uint8_t>(colour & 0xFF);
            line[3 * x + 1] = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
            line[3 * x + 2] = static_cast<std::uint8_t>(colour >> 16);
        }
    }
    return dib.EncodeBmp();
}

void WriteMaximumWallSet(const fs::path& folder, PictureKind kind) {
    WriteBytes(folder / kPaletteFileName, RiffPaletteBytes(BenchPalette()));
    const std::vector<std::uint8_t> picture = MaximumPictureBytes(kind);
    for (const WallSetKey& key : kWallSetKeys) {
        WriteBytes(folder / key.defaultName, picture);
    }
}

WallSet FullSizeWallSet() {
    // The smallest pictures that reach every column and row of every piece of their slot.
    constexpr int kSizes[6][2] = {{32, 136}, {32, 136}, {256, 111}, {136, 71}, {117, 51}, {16, 49}};
    WallSet wallSet;
    wallSet.palette = BenchPalette();
    for (std::size_t slot = 0; slot < 6; ++slot) {
        CIndexedImage& image = wallSet.images[slot];
        image.SetPalette(wallSet.palette);
        image.Init(kSizes[slot][0], kSizes[slot][1]);
        const auto count =
            static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
        for (std::size_t i = 0; i < count; ++i) {
            // Mostly opaque, with a transparent pixel now and then as real walls have.
            const auto value = static_cast<std::uint8_t>((i * 7 + slot) % 16);
            image.pixels()[i] = value == 10 && i % 5 != 0 ? 11 : value;
        }
    }
    return wallSet;
}

MapState AllWallMap() {
    MapState map;
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            map.SetCell(x, y, kWallCell);
        }
    }
    map.PlaceViewer(7, 7, 0);
    return map;
}

std::size_t FullRenderPixelBytes() {
    std::size_t bytes = static_cast<std::size_t>(kViewportWidth) * kViewportHeight;
    for (const ViewCell& cell : ViewCells()) {
        if (cell.slot == kEmptySlot) {
            continue;  // drawn from the never-loaded slot: nothing
        }
        bytes += static_cast<std::size_t>(cell.right - cell.left + 1) *
                 static_cast<std::size_t>(cell.bottom - cell.top + 1);
    }
    return bytes;
}

std::uint64_t BytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return 0;
}

}  // namespace orvandel::bench
