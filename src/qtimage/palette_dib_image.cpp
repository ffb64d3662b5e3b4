#include "qtimage/palette_dib_image.h"

#include <QList>
#include <cstring>

namespace orvandel {
namespace {

QList<QRgb> ColourTableOf(const CPaletteDib& dib) {
    QList<QRgb> table;
    for (const RgbQuad& entry : dib.colourTable()) {
        table.push_back(qRgb(entry.red, entry.green, entry.blue));
    }
    return table;
}

int IndexAt(const std::uint8_t* row, int x, int bitsPerPixel) {
    const auto ux = static_cast<unsigned>(x);
    switch (bitsPerPixel) {
        case 1:
            return (row[ux / 8] >> (7 - ux % 8)) & 1;
        case 4:
            return (ux % 2 == 0) ? row[ux / 2] >> 4 : row[ux / 2] & 0x0F;
        default:
            return row[ux];
    }
}

}  // namespace

QImage PaletteDibToImage(const CPaletteDib& dib) {
    BitmapInfo info;
    if (!dib.HasBitmap() || !dib.GetBitmapInfo(info) || info.width <= 0 || info.height <= 0) {
        return {};
    }
    const std::uint8_t* bits = dib.GetBits();
    const auto stride = static_cast<std::size_t>(info.widthBytes);
    // Rows are stored bottom-up.
    auto rowOf = [&](int y) {
        return bits + static_cast<std::size_t>(info.height - 1 - y) * stride;
    };

    if (info.bitsPerPixel == 24) {
        QImage image(info.width, info.height, QImage::Format_RGB32);
        for (int y = 0; y < info.height; ++y) {
            const std::uint8_t* row = rowOf(y);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < info.width; ++x) {
                const std::uint8_t* bgr = row + 3 * static_cast<std::size_t>(x);
                out[x] = qRgb(bgr[2], bgr[1], bgr[0]);
            }
        }
        return image;
    }

    QImage image(info.width, info.height, QImage::Format_Indexed8);
    image.setColorTable(ColourTableOf(dib));
    for (int y = 0; y < info.height; ++y) {
        const std::uint8_t* row = rowOf(y);
        uchar* out = image.scanLine(y);
        if (info.bitsPerPixel == 8) {
            std::memcpy(out, row, static_cast<std::size_t>(info.width));
            continue;
        }
        for (int x = 0; x < info.width; ++x) {
            out[x] = static_cast<uchar>(IndexAt(row, x, info.bitsPerPixel));
        }
    }
    return image;
}

}  // namespace orvandel
