#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>

#include "cli/cli_request.h"
#include "core/wallset/load_wall_set.h"
#include "core/wallset/wall_set.h"
#include "core/wallset/wallset_document.h"

namespace orvandel::cli {

// The request's wall-set document: untitled without a WALLSET, else the opened file. Nothing
// when the file cannot be opened; the reason is on `err` then.
std::optional<WallSetDocument> OpenWallSetDocument(const CliRequest& request, std::ostream& err);

struct LoadedWallSet {
    WallSet wallSet;  // palette all zero when wallpalette.pal failed
    LoadReport report;
};

// Loads the wall set as the application does and writes its message, then one line per
// failed file with the reason, to `err`.
LoadedWallSet LoadWallSetAndTell(const WallSetDocument& document,
                                 const std::filesystem::path& homeFolder, std::ostream& err);

// Writes a text and ends it with a line break unless it already ends in one.
void WriteLines(std::ostream& stream, std::string_view text);

}  // namespace orvandel::cli
