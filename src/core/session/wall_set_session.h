#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/export/export_wall_pieces.h"
#include "core/image/file_ops.h"
#include "core/image/palette_dib.h"
#include "core/map/map_state.h"
#include "core/report/wall_set_report.h"
#include "core/session/session_report.h"
#include "core/view/view_picture_size.h"
#include "core/view/view_renderer.h"
#include "core/wallset/load_wall_set.h"
#include "core/wallset/wall_set.h"
#include "core/wallset/wallset_document.h"

namespace orvandel {

struct ExportOptions {
    // Where the 28 pictures go, created when missing; empty: the home folder. A relative name
    // is taken from the home folder. Reading always resolves against the home folder.
    std::filesystem::path outputFolder;
    // Write nothing when the wall set has any problem that a strict check reports.
    bool strict = false;
    // Flush every file to disk before it replaces the old one. A throwaway build tree can do
    // without: the replacement stays atomic, only a power cut may lose the new files.
    bool syncToDisk = true;
    // Where to write a Make-style dependency file once the export ran; empty: none. Its
    // target is `dependencyTarget` (the name as the user gave it, so a Makefile finds it).
    std::filesystem::path dependencyFile;
    std::string dependencyTarget;
    // The load's report was shown just before, so a failed palette need not be explained again.
    bool loadJustShown = false;
};

// What an export did with its files, for a summary line; the desktop program shows none.
struct ExportTally {
    std::string folder;
    std::size_t written = 0;
    std::size_t unchanged = 0;
    std::size_t failed = 0;
};

struct ExportRun {
    SessionReport report;
    std::optional<ExportTally> tally;  // none when nothing was tried
    // What a non-strict export shipped broken: see-through pixels, uncovered pieces. They do
    // not change the outcome.
    std::vector<Diagnostic> warnings;
};

struct RenderOptions {
    bool evenOdd = false;
    // None: the viewport's own size.
    std::optional<ViewPictureSize> size;
    // No picture at all unless the whole wall set loaded.
    bool noPartial = false;
};

// A picture of the view, to be written or copied, and how its making ended. The outcome is
// the load's unless the picture could not be made.
struct RenderRun {
    SessionReport report;
    std::unique_ptr<CPaletteDib> picture;  // none when nothing is to be written
};

// The verdict of a check of the loaded wall set.
struct CheckRun {
    // Failed when a file failed to load, and, for a strict check, on any problem below.
    Outcome outcome = Outcome::Done;
    // One line per problem a strict check fails on, but the failed files, which the load's
    // notice has named.
    std::vector<std::string> problems;
    // The same problems for a build log, each naming its file: errors for a strict check,
    // warnings otherwise.
    std::vector<Diagnostic> diagnostics;
};

// One wall set being worked on: the home folder, the open wall-set file, the wall set loaded
// from them, and what can be done with it. Both programs drive a session and only present the
// reports it returns, so a load or an export ends the same way whichever program ran it.
class WallSetSession {
public:
    // `homeFolder` is where the palette, the pictures and the exports are, exactly as the
    // program recorded it; empty means the current folder.
    explicit WallSetSession(std::filesystem::path homeFolder = {});

    const std::filesystem::path& homeFolder() const { return m_homeFolder; }
    void SetHomeFolder(std::filesystem::path homeFolder) { m_homeFolder = std::move(homeFolder); }

    // Opens a wall-set file as the document; a relative name is taken from the home folder.
    // Refused when it cannot be read, and the current document stays.
    SessionReport Open(const std::filesystem::path& wallSetFile);
    const WallSetDocument& document() const { return m_document; }

    // Reads the palette and the six pictures afresh. Nothing of the previous wall set survives
    // but the palette, which changes only when the new one was read. The wall-set file is
    // linted on the way, into report(), unless the caller only draws (a thumbnail, a render);
    // the returned report stays as it always was.
    enum class Lint { kWallSetFile, kSkip };
    SessionReport Load(Lint lint = Lint::kWallSetFile);
    // The reload that follows the painting program: a file that fails (say, caught half
    // written) keeps its last good picture or palette. Its one notice, if any, is meant for a
    // line of text, not a box; none when everything loaded.
    SessionReport LiveReload();

    // The files the last load's names resolve to now, and the folders to watch for files
    // replaced by a rename or appearing later.
    struct Inputs {
        std::vector<std::filesystem::path> files;
        std::vector<std::filesystem::path> folders;
    };
    Inputs InputFiles() const;
    const WallSet& wallSet() const { return m_wallSet; }
    const LoadReport& lastLoad() const { return m_lastLoad; }
    // What the last load did to the pictures and what the pieces cover, from that load's own
    // matching, and what the wall-set file's lint found. Strict exports judge by it too.
    const WallSetReport& report() const { return m_report; }
    // The same report with every picture's complete list of approximated colours, worked out
    // now from the loaded pictures: for `check`, its JSON and the problems panel.
    WallSetReport ReportWithColourLists() const;
    // Every file the last load read or looked for in vain: the wall-set file, the palette and
    // the six pictures as resolved. A build that watches these knows when to export again.
    std::vector<std::filesystem::path> LoadedFiles() const;

    // The test map the view is drawn from, with the viewer on it.
    MapState& map() { return m_map; }
    const MapState& map() const { return m_map; }
    // Reads a test map file into map(), the viewer at its initial place; refused with the
    // reason when the file is no map, and map() stays.
    SessionReport OpenMap(const std::filesystem::path& file);

    // Draws the view from map() into viewport(). Fails, drawing nothing, when the viewport
    // cannot be created.
    SessionReport Render(bool evenOdd);
    const CPaletteDib& viewport() const { return m_renderer.viewport(); }
    const ViewRenderer& renderer() const { return m_renderer; }
    // Makes the viewport (with the loaded palette's colour table) exist without drawing into it;
    // false when it cannot be created.
    bool EnsureViewport() { return m_renderer.EnsureViewport(m_wallSet.palette); }
    // Renders and makes a picture of the view at the size asked for.
    RenderRun RenderPicture(const RenderOptions& options);

    CheckRun Check(bool strict) const;

    // The question to ask before an export, and the answer to a "No".
    std::string ExportConfirmation() const;
    static SessionReport ExportCancelled();
    // Writes the 28 wall-piece pictures of the loaded wall set into the home folder. Nothing is
    // written when the palette failed: 28 black pictures would replace good ones; nor are the
    // pieces drawn from a picture that failed to load, which are listed as failed. A picture
    // whose file already holds its bytes is left untouched. Temporary files an earlier, killed
    // export left in the folder are removed first.
    SessionReport Export(FileOps& ops = SystemFileOps()) const;
    ExportRun Export(const ExportOptions& options, FileOps& ops = SystemFileOps()) const;

private:
    std::filesystem::path m_homeFolder;
    WallSetDocument m_document;
    WallSet m_wallSet;
    LoadReport m_lastLoad;
    WallSetReport m_report;
    MapState m_map;
    ViewRenderer m_renderer;
    bool m_lastLoadWasLive = false;
    bool m_hadGoodPalette = false;  // the palette shown is one read from its file
};

// A Make-style dependency file: `target` depends on every input and output, and each of those
// has an empty rule of its own, so a missing one makes make rebuild `target` rather than stop.
std::string DependencyFileText(const std::string& target,
                               const std::vector<std::filesystem::path>& outputs,
                               const std::vector<std::filesystem::path>& inputs);

}  // namespace orvandel
