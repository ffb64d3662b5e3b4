#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/export/export_wall_pieces.h"
#include "core/image/file_ops.h"
#include "core/report/wall_set_report.h"
#include "core/session/session_report.h"
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
    // linted on the way, into report(); the returned report stays as it always was.
    SessionReport Load();
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

    // The question to ask before an export, and the answer to a "No".
    std::string ExportConfirmation() const;
    static SessionReport ExportCancelled();
    // Writes the 28 wall-piece pictures of the loaded wall set into the home folder. Nothing is
    // written when the palette failed: 28 black pictures would replace good ones. A picture
    // whose file already holds its bytes is left untouched.
    SessionReport Export(FileOps& ops = SystemFileOps()) const;
    ExportRun Export(const ExportOptions& options, FileOps& ops = SystemFileOps()) const;

private:
    std::filesystem::path m_homeFolder;
    WallSetDocument m_document;
    WallSet m_wallSet;
    LoadReport m_lastLoad;
    WallSetReport m_report;
};

}  // namespace orvandel
