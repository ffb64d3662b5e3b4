// A whole wall-set folder from the fuzzer's bytes: loading, rendering and export must survive
// any palette, wall-set file and pictures, and keep their promises about what they produce.
//
// Input layout: parts separated by kPartSeparator, in this order: wallpalette.pal, the
// .Pelorim file, then the pictures of slots 0..5 under their default names. A missing part
// means a missing file; an empty or missing .Pelorim part means an untitled document. Later
// parts are ignored.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/export/export_wall_pieces.h"
#include "core/image/bmp_decoder.h"
#include "core/image/colour_table.h"
#include "core/map/map_state.h"
#include "core/view/view_renderer.h"
#include "core/view/viewport_size.h"
#include "core/wallset/load_wall_set.h"
#include "core/wallset/wallset_keys.h"
#include "fuzz_check.h"

using namespace orvandel;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPartSeparator = "\n--8<--\n";
constexpr std::uintmax_t kExportFileSize = 31542;

// One folder per process, emptied before each input. Memory-backed when the machine has it,
// because every input writes 28 files.
const fs::path& HomeFolder() {
    // Never destroyed, so that the clean-up at exit can still name it.
    static const fs::path* const folder = [] {
        std::error_code ec;
        const fs::path base =
            fs::exists("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "orvandel-fuzz-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
        return new fs::path(pattern);
    }();
    static const bool cleanUpRegistered = [] {
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(*folder, ignored);
        });
        return true;
    }();
    (void)cleanUpRegistered;
    return *folder;
}

void EmptyFolder(const fs::path& folder) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        fs::remove_all(entry.path(), ec);
    }
}

void WriteFile(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
}

std::vector<std::string_view> SplitParts(std::string_view input) {
    std::vector<std::string_view> parts;
    while (parts.size() < 8) {
        const std::size_t at = input.find(kPartSeparator);
        parts.push_back(input.substr(0, at));
        if (at == std::string_view::npos) {
            break;
        }
        input.remove_prefix(at + kPartSeparator.size());
    }
    return parts;
}

void CheckLoaded(const WallSet& wallSet, const LoadReport& report) {
    FUZZ_CHECK(report.ok() == !report.Message().has_value());
    for (int slot = 0; slot < kImageSlotCount; ++slot) {
        const CIndexedImage& image = wallSet.images[static_cast<std::size_t>(slot)];
        if (image.IsEmpty()) {
            FUZZ_CHECK(image.width() == 0 && image.height() == 0);
            continue;
        }
        FUZZ_CHECK(slot < 6);
        FUZZ_CHECK(image.width() >= 1 && image.width() <= kMaxPictureWidth);
        FUZZ_CHECK(image.height() >= 1 && image.height() <= kMaxPictureHeight);
        const std::size_t count =
            static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
        FUZZ_CHECK(AllIndicesValid(image.pixels(), count, Palette16::kSize));
    }
    for (const FailedPicture& failed : report.failedPictures) {
        FUZZ_CHECK(failed.slot >= 0 && failed.slot < 6 && !failed.reason.empty());
    }
    // Without a palette the pictures are still read, for their own problems, but none is kept.
    if (!report.paletteLoaded) {
        for (const CIndexedImage& image : wallSet.images) {
            FUZZ_CHECK(image.IsEmpty());
        }
    }
}

void CheckRender(ViewRenderer& renderer, const WallSet& wallSet, const MapState& map,
                 bool evenOdd) {
    FUZZ_CHECK(renderer.RenderView(wallSet, map, evenOdd));
    FUZZ_CHECK(AllIndicesValid(renderer.viewport().GetBits(),
                               std::size_t{kViewportWidth} * kViewportHeight, Palette16::kSize,
                               10));
}

// An exported file must read back, through the program's own decoder, as exactly the picture
// that was drawn for it.
void CheckExportedFile(const fs::path& file, const WallSet& wallSet, const ExportPicture& picture) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    const DecodeResult decoded = BmpDecoder::DecodeBytes(bytes);
    FUZZ_CHECK(decoded.picture.has_value());
    FUZZ_CHECK(decoded.picture->width == kViewportWidth);
    FUZZ_CHECK(decoded.picture->height == kViewportHeight);
    FUZZ_CHECK(decoded.picture->bitsPerPixel == 8);

    CPaletteDib expected;
    FUZZ_CHECK(expected.Create(kViewportWidth, kViewportHeight, 8,
                               BuildColourTable(wallSet.palette), 256));
    DrawExportPicture(expected, wallSet, picture);
    const std::uint8_t* bits = expected.GetBits();
    for (int y = 0; y < kViewportHeight; ++y) {
        const auto* row =
            bits + static_cast<std::ptrdiff_t>(kViewportHeight - 1 - y) * kViewportWidth;
        const auto* got =
            decoded.picture->indices.data() + static_cast<std::ptrdiff_t>(y) * kViewportWidth;
        FUZZ_CHECK(std::equal(row, row + kViewportWidth, got));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path& home = HomeFolder();
    EmptyFolder(home);
    const std::vector<std::string_view> parts =
        SplitParts(std::string_view(reinterpret_cast<const char*>(data), size));

    if (parts.size() > 0) {
        WriteFile(home / kPaletteFileName, parts[0]);
    }
    WallSetDocument document;
    if (parts.size() > 1 && !parts[1].empty()) {
        const fs::path setFile = home / "fuzz.Pelorim";
        WriteFile(setFile, parts[1]);
        FUZZ_CHECK(document.Open(setFile).ok());
    }
    for (std::size_t slot = 0; slot < 6 && slot + 2 < parts.size(); ++slot) {
        WriteFile(home / kWallSetKeys[slot].defaultName, parts[slot + 2]);
    }

    WallSet wallSet;
    const LoadReport report = LoadWallSet(wallSet, document, home.string());
    CheckLoaded(wallSet, report);

    ViewRenderer renderer;
    MapState map;
    struct Place {
        int x, y;
        Direction d;
    };
    for (const Place place :
         {Place{7, 7, 0}, Place{7, 7, 1}, Place{7, 5, 2}, Place{15, 7, 1}, Place{0, 0, 3}}) {
        map.PlaceViewer(place.x, place.y, place.d);
        CheckRender(renderer, wallSet, map, false);
        CheckRender(renderer, wallSet, map, true);
    }
    // Standing inside a wall draws the own square's piece too.
    map.PlaceViewer(3, 3, 1);
    CheckRender(renderer, wallSet, map, true);

    const ExportReport exported = ExportWallPieces(wallSet, home.string());
    FUZZ_CHECK(exported.bitmapCreated);
    FUZZ_CHECK(exported.failed.empty());
    // A folder reused from an earlier input may already hold some of these very pictures.
    std::vector<std::string> names = exported.written;
    names.insert(names.end(), exported.unchanged.begin(), exported.unchanged.end());
    FUZZ_CHECK(names.size() == ExportPictureList().size());
    for (const std::string& name : names) {
        std::error_code ec;
        FUZZ_CHECK(fs::file_size(home / name, ec) == kExportFileSize);
    }
    // Two of the 28 are read back in full: a piece with its own form and an alternate one.
    const std::vector<ExportPicture> pictures = ExportPictureList();
    for (const std::size_t i : {std::size_t{4}, std::size_t{17}}) {
        CheckExportedFile(home / pictures[i].fileName, wallSet, pictures[i]);
    }
    return 0;
}
