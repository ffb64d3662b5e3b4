#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/common/path_text.h"

namespace orvandel {

// The program's text is UTF-8 and its paths meet text through path_text.h alone; these carry
// both into Qt's strings and back.
inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QString PathToQString(const std::filesystem::path& path) {
    return ToQString(PathToUtf8(path));
}

inline std::filesystem::path PathOfQString(const QString& text) {
    return PathFromUtf8(text.toStdString());
}

}  // namespace orvandel
