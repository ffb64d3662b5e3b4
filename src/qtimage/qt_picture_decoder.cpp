#include "qtimage/qt_picture_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <memory>
#include <string>

#include "core/common/message_texts.h"
#include "qtimage/qt_file_name.h"

namespace orvandel {
namespace {

std::string ToStd(const QString& text) {
    return text.toStdString();
}

Colour ToColour(QRgb rgb) {
    return MakeColour(static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                      static_cast<std::uint8_t>(qBlue(rgb)));
}

// Qt widens 2- and 4-bit palette PNGs to 8 bits; the file's own header still knows the depth.
int PngPaletteDepth(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray head = file.read(26);
    const bool isPng =
        head.size() == 26 && head.startsWith("\x89PNG\r\n\x1a\n") && head.mid(12, 4) == "IHDR";
    const int colourType = isPng ? static_cast<unsigned char>(head[25]) : -1;
    return colourType == 3 ? static_cast<unsigned char>(head[24]) : 0;
}

DecodeResult DecodeIndexed(const QImage& image, int reportedBits) {
    const QImage indexed = image.format() == QImage::Format_Indexed8
                               ? image
                               : image.convertToFormat(QImage::Format_Indexed8);
    const QList<QRgb> table = indexed.colorTable();

    DecodedPicture picture;
    picture.width = indexed.width();
    picture.height = indexed.height();
    picture.bitsPerPixel = reportedBits;
    picture.colourTable.reserve(static_cast<std::size_t>(table.size()));
    for (const QRgb entry : table) {
        picture.colourTable.push_back(ToColour(entry));
    }
    picture.indices.reserve(static_cast<std::size_t>(picture.width) *
                            static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const uchar* row = indexed.constScanLine(y);
        for (int x = 0; x < picture.width; ++x) {
            const uchar index = row[x];
            if (index >= table.size()) {
                return DecodeResult::Fail("pixel index " + std::to_string(index) +
                                          " outside the colour table");
            }
            // Only a colour that is actually used counts: GIFs often carry an unused
            // transparent entry.
            if (qAlpha(table[index]) < 255) {
                return DecodeResult::Fail(std::string(messages::kTransparentPixels));
            }
            picture.indices.push_back(index);
        }
    }
    return {std::move(picture), {}};
}

DecodeResult DecodeColour(const QImage& image) {
    if (image.hasAlphaChannel()) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x) {
                if (qAlpha(row[x]) < 255) {
                    return DecodeResult::Fail(std::string(messages::kTransparentPixels));
                }
            }
        }
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    DecodedPicture picture;
    picture.width = rgb.width();
    picture.height = rgb.height();
    picture.bitsPerPixel = 24;
    picture.pixels.reserve(static_cast<std::size_t>(picture.width) *
                           static_cast<std::size_t>(picture.height));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            picture.pixels.push_back(ToColour(row[x]));
        }
    }
    return {std::move(picture), {}};
}

std::string SizeRefusal(int width, int height) {
    if (width > kMaxPictureWidth) {
        return messages::TooWide(width, kMaxPictureWidth);
    }
    if (height > kMaxPictureHeight) {
        return messages::TooTall(height, kMaxPictureHeight);
    }
    return {};
}

}  // namespace

bool QtPictureDecoder::Recognizes(std::span<const std::uint8_t> head) const {
    QByteArray bytes(reinterpret_cast<const char*>(head.data()),
                     static_cast<qsizetype>(head.size()));
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray format = QImageReader::imageFormat(&buffer);
    // BMP files belong to the core's decoder, which reads more of them than Qt does.
    return !format.isEmpty() && format != "bmp" && format != "dib";
}

DecodeResult QtPictureDecoder::Decode(const std::filesystem::path& fileName) const {
    const QString name = QtFileName(fileName);
    QImageReader reader(name);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    if (!reader.canRead()) {
        return DecodeResult::Fail("not a readable picture (" + ToStd(reader.errorString()) + ")");
    }
    // Qt reads icons and cursors like any picture, but they are not bitmaps: refused, as every
    // other non-bitmap picture type is.
    const QByteArray format = reader.format().toLower();
    if (format == "ico" || format == "cur" || format == "icns") {
        return DecodeResult::Fail(std::string(messages::kIconNotPicture));
    }
    // Checked on the header alone, so a huge picture never reaches the pixel decoder.
    const QSize announced = reader.size();
    if (announced.isValid()) {
        if (std::string refusal = SizeRefusal(announced.width(), announced.height());
            !refusal.empty()) {
            return DecodeResult::Fail(std::move(refusal));
        }
    }

    const QImage image = reader.read();
    if (image.isNull()) {
        return DecodeResult::Fail("cannot decode (" + ToStd(reader.errorString()) + ")");
    }
    if (std::string refusal = SizeRefusal(image.width(), image.height()); !refusal.empty()) {
        return DecodeResult::Fail(std::move(refusal));
    }

    switch (image.format()) {
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB:
            return DecodeIndexed(image, 1);
        case QImage::Format_Indexed8: {
            const int fileDepth = PngPaletteDepth(name);
            return DecodeIndexed(image, fileDepth > 0 ? fileDepth : 8);
        }
        default:
            return DecodeColour(image);
    }
}

void RegisterQtPictureDecoders() {
    RegisterPictureDecoder(std::make_shared<QtPictureDecoder>());
}

}  // namespace orvandel
