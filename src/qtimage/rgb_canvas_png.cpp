#include "qtimage/rgb_canvas_png.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>

#include "core/image/file_ops.h"

namespace orvandel {

Status WriteRgbCanvasPng(const RgbCanvas& canvas, const std::filesystem::path& fileName) {
    if (canvas.width() <= 0 || canvas.height() <= 0) {
        return Status::Fail("the picture is empty");
    }
    QImage image(canvas.width(), canvas.height(), QImage::Format_RGB888);
    const auto rowBytes = static_cast<std::size_t>(canvas.width()) * 3;
    for (int y = 0; y < canvas.height(); ++y) {
        std::memcpy(image.scanLine(y),
                    canvas.bytes().data() + static_cast<std::size_t>(y) * rowBytes, rowBytes);
    }
    // Encoded first, then written like every file the user names: through a link, into a pipe
    // or device as a stream, never over a read-only file.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        return Status::Fail(writer.errorString().toStdString());
    }
    const std::array<std::span<const std::uint8_t>, 1> chunks{
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(png.constData()),
                                      static_cast<std::size_t>(png.size()))};
    return WriteNamedFile(fileName, chunks);
}

}  // namespace orvandel
