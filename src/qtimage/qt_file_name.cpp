#include "qtimage/qt_file_name.h"

#include <QFile>

namespace orvandel {

QString QtFileName(const std::filesystem::path& path) {
    // QFile knows how each system encodes a path; naming the file opens nothing.
    return QFile(path).fileName();
}

std::filesystem::path PathOfQtFileName(const QString& fileName) {
    return QFile(fileName).filesystemFileName();
}

}  // namespace orvandel
