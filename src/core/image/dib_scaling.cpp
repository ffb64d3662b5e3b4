#include "core/image/dib_scaling.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace orvandel {
namespace {

struct Source8 {
    BitmapInfo info;
    const std::uint8_t* bits = nullptr;
};

std::optional<Source8> EightBitSource(const CPaletteDib& source) {
    Source8 s;
    if (!source.GetBitmapInfo(s.info) || s.info.bitsPerPixel != 8) {
        return std::nullopt;
    }
    s.bits = source.GetBits();
    return s;
}

// How much of each source pixel along one axis falls into each target pixel. Target pixel t
// covers [t * from / to, (t + 1) * from / to) in source pixels; in units of 1 / to of a source
// pixel the bounds are whole numbers, so the weights are exact.
struct AxisWeight {
    int source;
    int weight;
};

std::vector<std::vector<AxisWeight>> AxisWeights(int from, int to) {
    std::vector<std::vector<AxisWeight>> weights(static_cast<std::size_t>(to));
    for (int t = 0; t < to; ++t) {
        const int begin = t * from;  // in 1 / to of a source pixel
        const int end = (t + 1) * from;
        for (int s = begin / to; s * to < end; ++s) {
            const int overlap = std::min(end, (s + 1) * to) - std::max(begin, s * to);
            if (overlap > 0) {
                weights[static_cast<std::size_t>(t)].push_back({s, overlap});
            }
        }
    }
    return weights;
}

}  // namespace

std::unique_ptr<CPaletteDib> EnlargeDib(const CPaletteDib& source, int scale) {
    const std::optional<Source8> in = EightBitSource(source);
    if (!in || scale < 1 || in->info.width > kMaxEnlargedEdge / scale ||
        in->info.height > kMaxEnlargedEdge / scale) {
        return nullptr;
    }
    auto target = std::make_unique<CPaletteDib>();
    if (!target->Create(in->info.width * scale, in->info.height * scale, 8, source.colourTable(),
                        0)) {
        return nullptr;
    }
    BitmapInfo out;
    target->GetBitmapInfo(out);
    const auto inStride = static_cast<std::size_t>(in->info.widthBytes);
    const auto outStride = static_cast<std::size_t>(out.widthBytes);
    const auto block = static_cast<std::size_t>(scale);
    std::uint8_t* outBits = target->GetBits();
    // Rows are bottom-up in both, so source row y feeds target rows y * scale onwards.
    for (int y = 0; y < in->info.height; ++y) {
        const std::uint8_t* row = in->bits + static_cast<std::size_t>(y) * inStride;
        std::uint8_t* first = outBits + static_cast<std::size_t>(y) * block * outStride;
        for (int x = 0; x < in->info.width; ++x) {
            std::memset(first + static_cast<std::size_t>(x) * block, row[x], block);
        }
        for (std::size_t repeat = 1; repeat < block; ++repeat) {
            std::memcpy(first + repeat * outStride, first, outStride);
        }
    }
    return target;
}

std::unique_ptr<CPaletteDib> ReduceDibSmoothly(const CPaletteDib& source, int width, int height) {
    const std::optional<Source8> in = EightBitSource(source);
    if (!in || width < 1 || height < 1 || width > in->info.width || height > in->info.height) {
        return nullptr;
    }
    auto target = std::make_unique<CPaletteDib>();
    if (!target->Create(width, height, 24, {}, 0)) {
        return nullptr;
    }
    BitmapInfo out;
    target->GetBitmapInfo(out);
    const std::span<const RgbQuad> table = source.colourTable();
    const auto across = AxisWeights(in->info.width, width);
    const auto down = AxisWeights(in->info.height, height);
    // Every target pixel covers (source / target) squared in weight units; rounding to nearest.
    const long long area = static_cast<long long>(in->info.width) * in->info.height;
    std::uint8_t* outBits = target->GetBits();
    for (int ty = 0; ty < height; ++ty) {
        std::uint8_t* outRow =
            outBits + static_cast<std::size_t>(ty) * static_cast<std::size_t>(out.widthBytes);
        for (int tx = 0; tx < width; ++tx) {
            std::array<long long, 3> sum{};
            for (const AxisWeight& dy : down[static_cast<std::size_t>(ty)]) {
                const std::uint8_t* row =
                    in->bits + static_cast<std::size_t>(dy.source) *
                                   static_cast<std::size_t>(in->info.widthBytes);
                for (const AxisWeight& dx : across[static_cast<std::size_t>(tx)]) {
                    const RgbQuad& colour = table[row[static_cast<std::size_t>(dx.source)]];
                    const long long weight = static_cast<long long>(dx.weight) * dy.weight;
                    sum[0] += weight * colour.blue;
                    sum[1] += weight * colour.green;
                    sum[2] += weight * colour.red;
                }
            }
            for (std::size_t c = 0; c < 3; ++c) {
                outRow[3 * static_cast<std::size_t>(tx) + c] =
                    static_cast<std::uint8_t>((sum[c] + area / 2) / area);
            }
        }
    }
    return target;
}

}  // namespace orvandel
