#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/session/wall_set_session.h"

namespace orvandel {

enum class ProblemKind {
    PaletteFailed,
    PictureFailed,
    PictureTooSmall,
    Approximated,  // approximated and see-through counts of one picture
    WallSetFileLine,
    ExportSummary,  // what the last export wrote; information, not a fault
    ExportFailed,
    ExportApproximated,  // a picture exported with approximated or see-through pixels
};

// One entry of the problems panel: everything the artist needs to find and mend it.
struct ProblemEntry {
    ProblemKind kind = ProblemKind::PictureFailed;
    int slot = -1;       // the picture (0..5) whose pieces it concerns; -1 for none
    int line = 0;        // of the wall-set file; 0 for none
    std::string key;     // "0086" for a picture; empty otherwise
    std::string file;    // as the artist wrote it ("walls\right0.bmp"), or the key's default
    std::string path;    // where it resolved to; empty when it is the same or unknown
    std::string what;    // what is wrong, with its figures
    std::string remedy;  // what to do about it; may be empty

    // The entry as one text: "0086 "front.png" (/home/a/front.png): what. Remedy."
    std::string Text() const;
};

// What the panel says when it has no entries.
std::string_view AllIsWellText();

// The entries for the last load: palette, failed pictures (saying whether the preview still
// shows a last good version of them, which only a live reload keeps), pictures too small,
// approximations and see-through pixels, and the wall-set file's lint, in that order.
// `paletteKept`: the palette failed but the preview still shows the last good one.
std::vector<ProblemEntry> LoadProblems(const WallSetSession& session, bool paletteKept);

// The entries for an export: what it wrote, each file that failed, and each picture exported
// with approximated or see-through pixels.
std::vector<ProblemEntry> ExportProblems(const WallSetSession& session, const ExportRun& run);

}  // namespace orvandel
