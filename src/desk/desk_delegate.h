#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "desk/desk_messages.h"

namespace orvandel {

// The parts of the window that a change of the model touches, for the front-end to repaint
// or refill; a bit set.
enum DeskPart : unsigned {
    kPreviewPart = 1,    // the preview's picture (PreviewPicture)
    kMapPart = 2,        // the map grid's cells and marker
    kPositionPart = 4,   // PositionText
    kStatusPart = 8,     // StatusText and its tooltip
    kProblemsPart = 16,  // the problems panel's entries
    kActionsPart = 32,   // checked states of the checkable actions
    kAllParts = 63,
};

// What a front-end watches for the live reload: files, the folders they sit in (a file replaced
// by a rename leaves a watch on the file alone behind), and the folders above those, so that a
// folder deleted and made again, renamed back or replaced by a link is found again.
struct WatchList {
    std::vector<std::filesystem::path> files;
    std::vector<std::filesystem::path> folders;
    friend bool operator==(const WatchList&, const WatchList&) = default;
};

// Where the model meets the window system. One per window; every call comes on the thread that
// drives the model.
class DeskDelegate {
public:
    virtual ~DeskDelegate() = default;

    // A modal box; blocks until the user answers.
    virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
    // A modal file dialog; nothing when the user cancels.
    virtual std::optional<std::filesystem::path> ChooseFileToOpen(const FileQuestion& question) = 0;
    virtual std::optional<std::filesystem::path> ChooseFileToSave(const FileQuestion& question) = 0;

    // These parts (DeskPart bits) changed and want repainting.
    virtual void Refresh(unsigned parts) = 0;

    // Watch exactly these from now on (an empty list: nothing); any change of any of them is
    // reported through WindowModel::FilesChanged. Re-adding what dropped out of the watch after a
    // change is the front-end's part.
    virtual void Watch(const WatchList& watch) = 0;

    // One single-shot timer: starting it again replaces the earlier time. When it fires, the
    // front-end calls WindowModel::TimerFired.
    virtual void StartTimer(int milliseconds) = 0;
    virtual void StopTimer() = 0;
    // A steady clock in milliseconds.
    virtual std::int64_t NowMilliseconds() = 0;
};

}  // namespace orvandel
