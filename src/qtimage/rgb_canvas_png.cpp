#include "qtimage/rgb_canvas_png.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <cstring>

#include "qtimage/qt_file_name.h"

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
    QSaveFile file(QtFileName(fileName));
    if (!file.open(QIODevice::WriteOnly)) {
        return Status::Fail(file.errorString().toStdString());
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return Status::Fail(writer.errorString().toStdString());
    }
    if (!file.commit()) {
        return Status::Fail(file.errorString().toStdString());
    }
    return Status::Ok();
}

}  // namespace orvandel
