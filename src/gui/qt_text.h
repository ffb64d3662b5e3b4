#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

#include "qtimage/qt_file_name.h"

namespace orvandel {

// The program's text is UTF-8; paths go through Qt's own file names (wide on Windows), so
// these carry both into Qt's strings and back.
inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QString PathToQString(const std::filesystem::path& path) {
    return QtFileName(path);
}

inline std::filesystem::path PathOfQString(const QString& text) {
    return PathOfQtFileName(text);
}

}  // namespace orvandel
