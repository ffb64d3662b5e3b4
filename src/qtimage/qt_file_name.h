#pragma once

#include <QString>
#include <filesystem>

namespace orvandel {

// Paths to and from file names as Qt holds them, through the wide name on Windows and UTF-8
// elsewhere; never through a narrow string, which on Windows is in the ANSI code page.
QString QtFileName(const std::filesystem::path& path);
std::filesystem::path PathOfQtFileName(const QString& fileName);

}  // namespace orvandel
