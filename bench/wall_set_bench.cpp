#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "bench_fixtures.h"
#include "core/export/export_wall_pieces.h"
#include "core/image/colour_table.h"
#include "core/image/file_ops.h"
#include "core/image/picture_decoder.h"
#include "core/image/unsynced_file_ops.h"
#include "core/session/wall_set_session.h"
#include "core/view/view_renderer.h"
#include "core/view/viewport_size.h"
#include "core/wallset/load_wall_set.h"
#include "core/wallset/picture_path.h"
#include "core/wallset/wallset_keys.h"

namespace orvandel::bench {
namespace {

// Rendering: one whole view with every piece drawn, against a copy of as many bytes as the
// render writes (the clear plus every piece).
void BM_RenderFullView(benchmark::State& state) {
    const WallSet wallSet = FullSizeWallSet();
    const MapState map = AllWallMap();
    CPaletteDib viewport;
    const ColourTable256 table = BuildColourTable(wallSet.palette);
    viewport.Create(kViewportWidth, kViewportHeight, 8, table, 256);
    for (auto _ : state) {
        ComposeView(viewport, wallSet, map, false);
        benchmark::DoNotOptimize(viewport.GetBits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(FullRenderPixelBytes()));
}
BENCHMARK(BM_RenderFullView);

void CopyBytes(benchmark::State& state, std::size_t count) {
    std::vector<std::uint8_t> source(count, 7);
    std::vector<std::uint8_t> target(count, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(source.data());
        std::memcpy(target.data(), source.data(), count);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(count));
}

void BM_CopyRenderedPixelBytes(benchmark::State& state) {
    CopyBytes(state, FullRenderPixelBytes());
}
BENCHMARK(BM_CopyRenderedPixelBytes);

void BM_CopyViewportBytes(benchmark::State& state) {
    CopyBytes(state, static_cast<std::size_t>(kViewportWidth) * kViewportHeight);
}
BENCHMARK(BM_CopyViewportBytes);

// Loading: six 320 x 1000 pictures through LoadWallSet, against merely decoding the six files.
PictureKind KindOf(const benchmark::State& state) {
    return state.range(0) == 24 ? PictureKind::kTrueColourDistinct : PictureKind::kIndexed8;
}

void BM_LoadSixMaximumPictures(benchmark::State& state) {
    ScratchFolder folder;
    WriteMaximumWallSet(folder.path(), KindOf(state));
    const WallSetDocument document;
    WallSet wallSet;
    for (auto _ : state) {
        const LoadReport report = LoadWallSet(wallSet, document, folder.path().string());
        if (!report.ok()) {
            state.SkipWithError("the wall set did not load");
            break;
        }
        benchmark::DoNotOptimize(wallSet.images[5].pixels());
    }
}
BENCHMARK(BM_LoadSixMaximumPictures)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond);

// The same load with every image's memory freed first, as the loader did before it kept the
// blocks: shows what the kernel's fresh pages cost in this run.
void BM_LoadSixMaximumPicturesFreeingMemory(benchmark::State& state) {
    ScratchFolder folder;
    WriteMaximumWallSet(folder.path(), KindOf(state));
    const WallSetDocument document;
    WallSet wallSet;
    for (auto _ : state) {
        for (CIndexedImage& image : wallSet.images) {
            image.Release();
        }
        const LoadReport report = LoadWallSet(wallSet, document, folder.path().string());
        if (!report.ok()) {
            state.SkipWithError("the wall set did not load");
            break;
        }
        benchmark::DoNotOptimize(wallSet.images[5].pixels());
    }
}
BENCHMARK(BM_LoadSixMaximumPicturesFreeingMemory)->Arg(24)->Unit(benchmark::kMillisecond);

void BM_DecodeSixMaximumPictures(benchmark::State& state) {
    ScratchFolder folder;
    WriteMaximumWallSet(folder.path(), KindOf(state));
    std::vector<std::filesystem::path> files;
    for (const WallSetKey& key : kWallSetKeys) {
        files.push_back(ResolvePictureName(key.defaultName, folder.path().string()));
    }
    for (auto _ : state) {
        for (const std::filesystem::path& file : files) {
            DecodeResult decoded = DecodePictureFile(file);
            if (!decoded.picture) {
                state.SkipWithError("a picture did not decode");
                break;
            }
            benchmark::DoNotOptimize(decoded.picture->width);
        }
    }
}
BENCHMARK(BM_DecodeSixMaximumPictures)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond);

// Live reload: one of six 24-bit 320 x 1000 pictures is written anew and renamed over the old
// one, as painting programs save; timed from the rename to a recomposed viewport, without the
// settling delay the desktop program waits before it reloads.
void BM_LiveReloadAfterRename(benchmark::State& state) {
    ScratchFolder folder;
    WriteMaximumWallSet(folder.path(), PictureKind::kTrueColourDistinct);
    const std::vector<std::uint8_t> picture = MaximumPictureBytes(PictureKind::kTrueColourDistinct);
    const std::filesystem::path target =
        ResolvePictureName(kWallSetKeys[2].defaultName, folder.path().string());
    const std::filesystem::path fresh = folder.path() / "saving.tmp";
    WallSetSession session(folder.path());
    ViewRenderer renderer;
    const MapState map = AllWallMap();
    if (!session.Load().ok()) {
        state.SkipWithError("the wall set did not load");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        WriteBytes(fresh, picture);
        std::filesystem::rename(fresh, target);
        state.ResumeTiming();
        const SessionReport reloaded = session.LiveReload();
        if (!reloaded.ok() || !renderer.RenderView(session.wallSet(), map, false)) {
            state.SkipWithError("the reload failed");
            break;
        }
        benchmark::DoNotOptimize(renderer.viewport().GetBits());
    }
}
BENCHMARK(BM_LiveReloadAfterRename)->Unit(benchmark::kMillisecond);

// Export: the 28 wall-piece files, against 28 files of the same size through the same
// atomic writer.
void ExportIntoEmptyFolder(benchmark::State& state, FileOps& ops) {
    ScratchFolder folder;
    const WallSet wallSet = FullSizeWallSet();
    for (auto _ : state) {
        // Unchanged pictures are not written again, so each run starts from an empty folder.
        state.PauseTiming();
        for (const ExportPicture& picture : ExportPictureList()) {
            std::filesystem::remove(folder.path() / picture.fileName);
        }
        state.ResumeTiming();
        const ExportReport report = ExportWallPieces(wallSet, folder.path().string(), ops);
        if (report.written.size() != 28) {
            state.SkipWithError("the export failed");
            break;
        }
    }
}

void BM_ExportWallPieces(benchmark::State& state) {
    ExportIntoEmptyFolder(state, SystemFileOps());
}
BENCHMARK(BM_ExportWallPieces)->Unit(benchmark::kMillisecond);

// `export --no-sync`: the same files, replaced atomically, without waiting for the disk.
void BM_ExportWallPiecesUnsynced(benchmark::State& state) {
    UnsyncedFileOps unsynced(SystemFileOps());
    ExportIntoEmptyFolder(state, unsynced);
}
BENCHMARK(BM_ExportWallPiecesUnsynced)->Unit(benchmark::kMillisecond);

// The same export again over its own output: every picture is compared and left alone.
void BM_ExportWallPiecesUnchanged(benchmark::State& state) {
    ScratchFolder folder;
    const WallSet wallSet = FullSizeWallSet();
    ExportWallPieces(wallSet, folder.path().string());
    for (auto _ : state) {
        const ExportReport report = ExportWallPieces(wallSet, folder.path().string());
        if (report.unchanged.size() != 28) {
            state.SkipWithError("a picture was written again");
            break;
        }
    }
}
BENCHMARK(BM_ExportWallPiecesUnchanged)->Unit(benchmark::kMillisecond);

void BM_WriteTwentyEightFiles(benchmark::State& state) {
    ScratchFolder folder;
    const std::vector<ExportPicture> pictures = ExportPictureList();
    const std::vector<std::uint8_t> bytes(31542, 10);
    const std::span<const std::uint8_t> chunk(bytes);
    const std::span<const std::span<const std::uint8_t>> chunks(&chunk, 1);
    for (auto _ : state) {
        for (const ExportPicture& picture : pictures) {
            if (!WriteFileAtomically(folder.path() / picture.fileName, chunks)) {
                state.SkipWithError("a write failed");
                break;
            }
        }
    }
}
BENCHMARK(BM_WriteTwentyEightFiles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvandel::bench
