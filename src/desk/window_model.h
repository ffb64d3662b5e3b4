#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/common/geometry.h"
#include "core/image/palette16.h"
#include "core/map/map_grid_layout.h"
#include "core/map/map_state.h"
#include "core/session/wall_set_session.h"
#include "core/view/view_renderer.h"
#include "core/view/viewport_layout.h"
#include "desk/desk_action.h"
#include "desk/desk_delegate.h"
#include "desk/file_completeness.h"
#include "desk/problem_list.h"

namespace orvandel {

// The preview's gray ring around the viewport.
inline constexpr Colour kPreviewBackground = MakeColour(128, 128, 128);

// The viewport as the preview shows it: enlarged by a whole scale, problem marks laid over it,
// 32 bits per pixel as 0xAARRGGBB (alpha always 255), top row first, no padding.
struct ScreenPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// How long a change may stay incomplete before the reload takes the files as they are.
inline constexpr int kSettleMilliseconds = 300;
// How often an incomplete file is looked at again meanwhile.
inline constexpr int kRetryMilliseconds = 10;

// The main window without a window system: the view state (map, viewer, even/odd, the render,
// where the preview goes), the actions and their captions, loading and the live reload, the
// export's questions, the test map's files, the position read-out, the pixel inspector, the
// problem marks and the problems panel. A front-end forwards its events here and paints what the
// model says; everything the model needs of the window system goes through the delegate.
class WindowModel {
public:
    // Neither is owned; both outlive the model.
    WindowModel(WallSetSession& session, DeskDelegate& delegate);
    ~WindowModel();
    WindowModel(const WindowModel&) = delete;
    WindowModel& operator=(const WindowModel&) = delete;

    // Where exports write; the system's unless a test replaces it.
    void SetFileOps(FileOps& ops) { m_fileOps = &ops; }

    WallSetSession& session() { return m_session; }
    const WallSetSession& session() const { return m_session; }

    // The initial update, run whenever a document is attached (at start-up, after an open):
    // loads with message boxes, renders, watches. Map, viewer, switch and read-out keep their
    // state.
    void InitialUpdate();
    // Opens a wall-set file as the document; a file that cannot be opened is reported in a box
    // and the current document stays. True when it opened: the caller then fits its window to
    // the form and runs the initial update.
    bool OpenWallSet(const std::filesystem::path& file);

    // Runs an action. CopyView and SaveView belong to the front-end (clipboard, picture
    // writers): for those it returns false and does nothing.
    bool Act(DeskAction action);
    bool IsChecked(DeskAction action) const;
    // Same as Act(ReloadAutomatically) to the wanted state; --no-watch turns it off at start.
    void SetLiveReload(bool on);
    bool liveReload() const { return m_liveReload; }
    bool evenOdd() const { return m_evenOdd; }
    bool showProblems() const { return m_showProblems; }

    // The map and the viewer.
    const MapState& map() const { return m_session.map(); }
    // "---" until the first walk, turn or switch, then "(7,6,N)".
    const std::string& PositionText() const { return m_position; }

    // The preview. Sizes and points in the front-end's device pixels of the preview's client
    // area (the front-end adds its own offset).
    void SetPreviewSize(int width, int height);
    ViewportLayout PreviewLayout() const { return m_previewLayout; }
    // The picture to draw at PreviewLayout().rect; empty when the scale is 0.
    const ScreenPicture& PreviewPicture();
    const ViewRenderer& renderer() const { return m_session.renderer(); }
    // The view as copied to the clipboard: at the scale shown.
    std::unique_ptr<CPaletteDib> ViewPictureAsShown() const;

    // The pointer over the preview (device pixels of its client area), or gone.
    void PointerAt(std::optional<Point> previewPoint);
    // What lies under the pointer, in full; empty when the pointer is not over the viewport.
    const std::string& InspectorText() const { return m_inspector; }
    // The last load's summary (ReportSummaryLine); empty when all is well.
    const std::string& SummaryText() const { return m_summary; }
    // The status line: the inspector while the pointer is over the viewport, else the summary.
    const std::string& StatusText() const;

    // The map grid. Sizes and points in pixels of the grid control's client area.
    void SetMapSize(int width, int height);
    const GridLayout& MapLayout() const { return m_mapLayout; }
    // A left press: flips the cell under the point; false (nothing changed) outside the grid.
    // The render follows in MapChanged, which the front-end queues after the press, as the
    // game's editor posts its change message.
    bool PressMap(Point mapPoint);
    void MapChanged();

    // The problems panel: one entry per problem of the last load, reload, lint and export.
    const std::vector<ProblemEntry>& problems() const { return m_problems; }
    // Marks the selected entry's picture's pieces on the view; nothing for none.
    void SelectProblem(std::optional<std::size_t> entry);
    std::optional<std::size_t> selectedProblem() const { return m_selected; }

    // The live reload. The front-end reports every change of a watched file or folder here, and
    // a fired timer there.
    void FilesChanged();
    void TimerFired();
    // The files of the last load as the delegate was told to watch them.
    WatchList CurrentWatchList() const;

private:
    class BusyScope;
    template <typename Work>
    void Guarded(Work&& work);
    void LoadWithBoxes();
    void LiveReloadNow();
    void AfterLoad(bool paletteKept);
    void RebuildProblems();
    void RenderAndRefresh(unsigned parts);
    // Render and position read-out, after the viewer moved, turned or the switch changed.
    void RefreshView(unsigned parts);
    void Walk(int step);
    // True when the text changed.
    bool UpdateInspector();
    void LayMarks(int scale);
    void Export();
    void LoadTestMap();
    void SaveTestMap();
    // The watched files that changed since the last load: whether there are any, and whether
    // they are all whole by their own format.
    struct ChangedFiles {
        bool any = false;
        bool allWhole = true;
        std::vector<FileStamp> now;
    };
    ChangedFiles LookAtChangedFiles() const;
    void CheckChangedFiles();
    MessageAnswer Show(const MessageRequest& request);
    void ShowAll(const SessionReport& report);

    WallSetSession& m_session;
    DeskDelegate& m_delegate;
    FileOps* m_fileOps = nullptr;

    bool m_evenOdd = false;
    bool m_showProblems = false;
    bool m_liveReload = true;
    std::string m_position = "---";

    int m_previewWidth = 0;
    int m_previewHeight = 0;
    ViewportLayout m_previewLayout;
    ScreenPicture m_picture;
    bool m_pictureStale = true;

    std::optional<Point> m_pointer;
    std::string m_inspector;
    std::string m_summary;

    GridLayout m_mapLayout;

    std::vector<ProblemEntry> m_loadProblems;
    std::vector<ProblemEntry> m_problems;
    std::vector<ProblemEntry> m_exportProblems;
    std::optional<std::size_t> m_selected;

    // Live reload state.
    int m_busy = 0;                  // actions (and their boxes) under way
    bool m_changePending = false;    // a change waits to be read
    bool m_changeWhileBusy = false;  // and came, or fell due, while an action was under way
    std::int64_t m_lastChangeAt = 0;
    bool m_loaded = false;
    bool m_goodPaletteShown = false;  // the palette in use came from a good read
    WatchList m_watch;                // of the last load
    std::vector<FileStamp> m_stamps;
    std::vector<FileStamp> m_seen;  // as the last look found them  // of the last load's inputs, to
                                    // see what changed since
};

}  // namespace orvandel
