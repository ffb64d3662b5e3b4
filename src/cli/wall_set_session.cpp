#include "cli/wall_set_session.h"

#include <ostream>
#include <system_error>

#include "core/common/path_text.h"

namespace orvandel::cli {

namespace fs = std::filesystem;

std::optional<WallSetDocument> OpenWallSetDocument(const CliRequest& request, std::ostream& err) {
    WallSetDocument document;
    if (!request.wallSet) {
        return document;
    }
    const fs::path& file = *request.wallSet;
    const Status opened = document.Open(file);
    if (!opened) {
        err << "orvandel-cli: cannot open wall-set file '" << PathToUtf8(file) << "'";
        if (!opened.reason().empty()) {
            err << ": " << opened.reason();
        }
        err << "\n";
        return std::nullopt;
    }
    return document;
}

void WriteLines(std::ostream& stream, std::string_view text) {
    if (text.empty()) {
        return;
    }
    stream << text;
    if (text.back() != '\n') {
        stream << '\n';
    }
}

LoadedWallSet LoadWallSetAndTell(const WallSetDocument& document, const fs::path& homeFolder,
                                 std::ostream& err) {
    LoadedWallSet loaded;
    loaded.report = LoadWallSet(loaded.wallSet, document, homeFolder);
    if (const std::optional<std::string> message = loaded.report.Message()) {
        WriteLines(err, *message);
        // A blank line keeps the reasons apart from the list, which they repeat names of.
        err << '\n';
        WriteLines(err, loaded.report.Details());
    }
    err.flush();
    return loaded;
}

}  // namespace orvandel::cli
