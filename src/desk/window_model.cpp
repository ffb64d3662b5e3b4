#include "desk/window_model.h"

#include <algorithm>
#include <new>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/image/dib_scaling.h"
#include "core/map/map_text.h"
#include "core/report/check_text.h"
#include "core/report/pixel_inspector.h"
#include "core/report/view_problems.h"
#include "core/view/view_picture_size.h"
#include "core/view/viewport_size.h"
#include "core/wallset/wallset_keys.h"
#include "desk/desk_texts.h"

namespace orvandel {
namespace {

std::uint32_t OpaquePixel(Colour colour) {
    return 0xFF000000u | std::uint32_t{RedOf(colour)} << 16 | std::uint32_t{GreenOf(colour)} << 8 |
           BlueOf(colour);
}

std::uint32_t OpaquePixel(const RgbQuad& quad) {
    return OpaquePixel(MakeColour(quad.red, quad.green, quad.blue));
}

// The dialog's title: the menu's caption without its trailing ellipsis.
std::string TitleOf(std::string_view caption) {
    constexpr std::string_view kEllipsis = "\u2026";
    if (caption.ends_with(kEllipsis)) {
        caption.remove_suffix(kEllipsis.size());
    }
    return std::string(caption);
}

FileQuestion TestMapQuestion(std::string_view caption) {
    return {TitleOf(caption), {{"Test maps", "*.txt"}, {"All files", "*"}}};
}

// The status line's account of a load: what did not load, then what the report sums up.
std::string SummaryOf(const WallSetSession& session) {
    const WallSetReport& report = session.report();
    std::vector<std::string> parts;
    if (!report.paletteLoaded) {
        parts.push_back(messages::NotLoadedSummary(kPaletteFileName));
    }
    for (const FailedPicture& failed : session.lastLoad().failedPictures) {
        parts.push_back(
            messages::NotLoadedSummary(kWallSetKeys.at(static_cast<std::size_t>(failed.slot)).key));
    }
    const std::string rest = ReportSummaryLine(report);
    if (!rest.empty()) {
        parts.push_back(rest);
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : std::string(messages::kSummarySeparator)) + part;
    }
    return text;
}

}  // namespace

// Counts the actions under way. A file change that arrives meanwhile (a box of the action is
// open, say) waits, and is taken up the moment the last action ends.
class WindowModel::BusyScope {
public:
    explicit BusyScope(WindowModel& model) : m_model(model) { ++m_model.m_busy; }
    ~BusyScope() {
        if (--m_model.m_busy == 0 && m_model.m_changeWhileBusy) {
            m_model.m_changeWhileBusy = false;
            if (m_model.m_changePending && m_model.m_liveReload) {
                m_model.m_delegate.StartTimer(0);
            }
        }
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    WindowModel& m_model;
};

WindowModel::WindowModel(WallSetSession& session, DeskDelegate& delegate)
    : m_session(session), m_delegate(delegate), m_fileOps(&SystemFileOps()) {}

WindowModel::~WindowModel() = default;

template <typename Work>
void WindowModel::Guarded(Work&& work) {
    BusyScope busy(*this);
    try {
        work();
    } catch (const std::bad_alloc&) {
        // Losing the window for want of memory for one picture would lose the artist's map too.
        Show(WarningMessage(std::string(messages::kOutOfMemory)));
    }
}

MessageAnswer WindowModel::Show(const MessageRequest& request) {
    return m_delegate.ShowMessage(request);
}

void WindowModel::ShowAll(const SessionReport& report) {
    for (const MessageRequest& request : MessagesOf(report)) {
        Show(request);
    }
}

void WindowModel::InitialUpdate() {
    Guarded([this] { LoadWithBoxes(); });
}

bool WindowModel::OpenWallSet(const std::filesystem::path& file) {
    bool opened = false;
    Guarded([&] {
        const SessionReport report = m_session.Open(file);
        opened = report.ok();
        ShowAll(report);
    });
    return opened;
}

void WindowModel::LoadWithBoxes() {
    m_changePending = false;
    const SessionReport loaded = m_session.Load();
    m_goodPaletteShown = m_session.lastLoad().paletteLoaded;
    AfterLoad(false);
    // The window is up to date before the boxes speak, so what they name can be seen behind them.
    ShowAll(loaded);
}

void WindowModel::LiveReloadNow() {
    m_changePending = false;
    m_delegate.StopTimer();
    m_session.LiveReload();
    const bool paletteKept = !m_session.lastLoad().paletteLoaded && m_goodPaletteShown;
    m_goodPaletteShown = m_session.lastLoad().paletteLoaded || paletteKept;
    AfterLoad(paletteKept);
}

void WindowModel::AfterLoad(bool paletteKept) {
    m_loaded = true;
    m_summary = SummaryOf(m_session);
    m_loadProblems = LoadProblems(m_session, paletteKept);
    // An export's account is of the wall set it exported; a new load replaces that.
    m_exportProblems.clear();
    RebuildProblems();
    m_watch = CurrentWatchList();
    m_stamps = StampsOf(m_watch.files);
    m_seen = m_stamps;
    m_delegate.Watch(m_liveReload ? m_watch : WatchList{});
    RenderAndRefresh(kPreviewPart | kStatusPart | kProblemsPart);
}

void WindowModel::RebuildProblems() {
    m_problems = m_loadProblems;
    m_problems.insert(m_problems.end(), m_exportProblems.begin(), m_exportProblems.end());
    // The entries are new: a mark chosen among the old ones would point at another problem.
    m_selected.reset();
    m_pictureStale = true;
}

void WindowModel::RenderAndRefresh(unsigned parts) {
    // A viewport that cannot be made leaves the view as it was; the box has nothing to add.
    m_session.Render(m_evenOdd);
    m_pictureStale = true;
    UpdateInspector();
    m_delegate.Refresh(parts | kPreviewPart | kStatusPart);
}

void WindowModel::RefreshView(unsigned parts) {
    m_position = messages::PositionReadOut(m_session.map().viewerX(), m_session.map().viewerY(),
                                           DirectionLetter(m_session.map().viewerDirection()));
    RenderAndRefresh(parts | kPositionPart);
}

bool WindowModel::Act(DeskAction action) {
    switch (action) {
        case DeskAction::TurnLeft:
            Guarded([this] {
                m_session.map().Turn(-1);
                RefreshView(0);
            });
            return true;
        case DeskAction::TurnRight:
            Guarded([this] {
                m_session.map().Turn(+1);
                RefreshView(0);
            });
            return true;
        case DeskAction::MoveForward:
            Walk(kStepForward);
            return true;
        case DeskAction::MoveLeft:
            Walk(kStepLeft);
            return true;
        case DeskAction::MoveBack:
            Walk(kStepBack);
            return true;
        case DeskAction::MoveRight:
            Walk(kStepRight);
            return true;
        case DeskAction::EvenOdd:
            Guarded([this] {
                m_evenOdd = !m_evenOdd;
                RefreshView(kActionsPart);
            });
            return true;
        case DeskAction::Reload:
            Guarded([this] { LoadWithBoxes(); });
            return true;
        case DeskAction::Export:
            Guarded([this] { Export(); });
            return true;
        case DeskAction::ShowProblems:
            m_showProblems = !m_showProblems;
            m_pictureStale = true;
            m_delegate.Refresh(kPreviewPart | kActionsPart);
            return true;
        case DeskAction::ReloadAutomatically:
            SetLiveReload(!m_liveReload);
            return true;
        case DeskAction::LoadTestMap:
            Guarded([this] { LoadTestMap(); });
            return true;
        case DeskAction::SaveTestMap:
            Guarded([this] { SaveTestMap(); });
            return true;
        case DeskAction::ResetTestMap:
            Guarded([this] {
                m_session.map() = MapState();
                RefreshView(kMapPart);
            });
            return true;
        case DeskAction::CopyView:
        case DeskAction::SaveView:
        case DeskAction::Count:
            break;
    }
    return false;
}

void WindowModel::Walk(int step) {
    Guarded([this, step] {
        m_session.map().Walk(step);
        RefreshView(kMapPart);
    });
}

bool WindowModel::IsChecked(DeskAction action) const {
    switch (action) {
        case DeskAction::EvenOdd:
            return m_evenOdd;
        case DeskAction::ShowProblems:
            return m_showProblems;
        case DeskAction::ReloadAutomatically:
            return m_liveReload;
        default:
            return false;
    }
}

void WindowModel::Export() {
    // A refusal needs no question first: nothing would be written whatever the answer.
    if (!m_session.lastLoad().paletteLoaded) {
        const ExportRun refused = m_session.Export(ExportOptions{}, *m_fileOps);
        m_exportProblems = ExportProblems(m_session, refused);
        RebuildProblems();
        m_delegate.Refresh(kProblemsPart | kPreviewPart);
        ShowAll(refused.report);
        return;
    }
    if (Show(YesNoQuestion(m_session.ExportConfirmation())) != MessageAnswer::Yes) {
        ShowAll(WallSetSession::ExportCancelled());
        return;
    }
    const ExportRun run = m_session.Export(ExportOptions{}, *m_fileOps);
    m_exportProblems = ExportProblems(m_session, run);
    RebuildProblems();
    m_delegate.Refresh(kProblemsPart | kPreviewPart);
    ShowAll(run.report);
}

void WindowModel::LoadTestMap() {
    const std::optional<std::filesystem::path> file =
        m_delegate.ChooseFileToOpen(TestMapQuestion(messages::kLoadTestMap));
    if (!file) {
        return;
    }
    const MapTextResult read = ReadMapFile(*file);
    if (!read.map) {
        Show(WarningMessage(messages::CannotReadTestMap(PathToUtf8(*file), read.error)));
        return;
    }
    // The cells change; the viewer stays where it stands.
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            m_session.map().SetCell(x, y, read.map->Cell(x, y));
        }
    }
    RefreshView(kMapPart);
}

void WindowModel::SaveTestMap() {
    std::optional<std::filesystem::path> file =
        m_delegate.ChooseFileToSave(TestMapQuestion(messages::kSaveTestMap));
    if (!file) {
        return;
    }
    // The Load dialog lists *.txt: a map saved without an extension would be hidden from it.
    if (!file->has_extension()) {
        *file += ".txt";
    }
    const Status written = WriteMapFile(*file, m_session.map());
    if (!written) {
        Show(WarningMessage(messages::CannotSaveTestMap(PathToUtf8(*file)),
                            written.reason() + "\n"));
    }
}

void WindowModel::SetPreviewSize(int width, int height) {
    if (width == m_previewWidth && height == m_previewHeight) {
        return;
    }
    m_previewWidth = width;
    m_previewHeight = height;
    m_previewLayout = LayoutViewport(width, height);
    m_pictureStale = true;
    UpdateInspector();
    m_delegate.Refresh(kPreviewPart | kStatusPart);
}

const ScreenPicture& WindowModel::PreviewPicture() {
    if (!m_pictureStale) {
        return m_picture;
    }
    m_pictureStale = false;
    m_picture = {};
    const int scale = m_previewLayout.scale;
    // As in a render, the viewport (and with it its colour table) may come into being here.
    // Nothing is shown before the first load: the view would be black, not the wall set's.
    if (!m_loaded || scale <= 0 || !m_session.EnsureViewport()) {
        return m_picture;
    }
    const std::unique_ptr<CPaletteDib> enlarged = EnlargeDib(m_session.viewport(), scale);
    if (!enlarged) {
        return m_picture;
    }
    BitmapInfo info;
    enlarged->GetBitmapInfo(info);
    const std::span<const RgbQuad> table = enlarged->colourTable();
    m_picture.width = info.width;
    m_picture.height = info.height;
    m_picture.pixels.resize(static_cast<std::size_t>(info.width) *
                            static_cast<std::size_t>(info.height));
    for (int y = 0; y < info.height; ++y) {
        // Bottom-up rows: the top row is the last one.
        const std::uint8_t* row =
            enlarged->GetBits() + static_cast<std::size_t>(info.height - 1 - y) *
                                      static_cast<std::size_t>(info.widthBytes);
        std::uint32_t* out = m_picture.pixels.data() + static_cast<std::size_t>(y * info.width);
        for (int x = 0; x < info.width; ++x) {
            out[x] = OpaquePixel(table[row[x]]);
        }
    }
    LayMarks(scale);
    return m_picture;
}

void WindowModel::LayMarks(int scale) {
    int onlySlot = -1;
    if (!m_showProblems) {
        if (!m_selected || m_problems.at(*m_selected).slot < 0) {
            return;
        }
        onlySlot = m_problems.at(*m_selected).slot;
    }
    const std::vector<ProblemMark> marks =
        MarkViewProblems(m_session.wallSet(), m_session.map(), m_evenOdd, onlySlot);
    for (int y = 0; y < m_picture.height; ++y) {
        std::uint32_t* out =
            m_picture.pixels.data() + static_cast<std::size_t>(y * m_picture.width);
        const ProblemMark* markRow =
            marks.data() + static_cast<std::size_t>(y / scale) * kViewportWidth;
        for (int x = 0; x < m_picture.width; ++x) {
            if (const std::optional<Colour> colour = MarkColour(markRow[x / scale], x, y)) {
                out[x] = OpaquePixel(*colour);
            }
        }
    }
}

std::unique_ptr<CPaletteDib> WindowModel::ViewPictureAsShown() const {
    return ScaleViewPicture(m_session.viewport(), orvandel::ViewPictureAsShown(m_previewLayout));
}

void WindowModel::PointerAt(std::optional<Point> previewPoint) {
    m_pointer = previewPoint;
    if (UpdateInspector()) {
        m_delegate.Refresh(kStatusPart);
    }
}

bool WindowModel::UpdateInspector() {
    std::string text;
    const Rect& view = m_previewLayout.rect;
    if (m_pointer && m_loaded && m_previewLayout.scale > 0 &&
        view.Contains(m_pointer->x, m_pointer->y)) {
        const int x = (m_pointer->x - view.left) / m_previewLayout.scale;
        const int y = (m_pointer->y - view.top) / m_previewLayout.scale;
        const WallSetReport& report = m_session.report();
        text = InspectionText(
            InspectViewPixel(m_session.wallSet(), m_session.map(), m_evenOdd, x, y), report);
        // Without its palette no pixel of the view shows the colour it will have, the floor's
        // included.
        const std::string paletteFailed = messages::PaletteDidNotLoad(report.paletteReason);
        if (!report.paletteLoaded && text.find(paletteFailed) == std::string::npos) {
            text += std::string(messages::kSummarySeparator) + paletteFailed;
        }
    }
    if (text == m_inspector) {
        return false;
    }
    m_inspector = std::move(text);
    return true;
}

const std::string& WindowModel::StatusText() const {
    return m_inspector.empty() ? m_summary : m_inspector;
}

void WindowModel::SetMapSize(int width, int height) {
    m_mapLayout = LayoutGrid(width, height);
    m_delegate.Refresh(kMapPart);
}

bool WindowModel::PressMap(Point mapPoint) {
    const std::optional<Point> cell = CellAtPoint(m_mapLayout, mapPoint.x, mapPoint.y);
    if (!cell) {
        return false;
    }
    m_session.map().ToggleCell(cell->x, cell->y);
    m_delegate.Refresh(kMapPart);
    return true;
}

void WindowModel::MapChanged() {
    Guarded([this] { RenderAndRefresh(0); });
}

void WindowModel::SelectProblem(std::optional<std::size_t> entry) {
    if (entry && *entry >= m_problems.size()) {
        entry.reset();
    }
    if (entry == m_selected) {
        return;
    }
    m_selected = entry;
    m_pictureStale = true;
    m_delegate.Refresh(kPreviewPart);
}

WatchList WindowModel::CurrentWatchList() const {
    const WallSetSession::Inputs inputs = m_session.InputFiles();
    WatchList watch{inputs.files, inputs.folders};
    for (const std::filesystem::path& folder : inputs.folders) {
        // A folder deleted and made again, renamed back or replaced by a link (or a link removed)
        // shows only in the folder above. That one may be busy (a temporary folder): its events
        // cost a look at the watched files, and never put the reload off.
        const std::filesystem::path parent = folder.parent_path();
        if (!parent.empty() && parent != folder &&
            std::find(watch.folders.begin(), watch.folders.end(), parent) == watch.folders.end()) {
            watch.folders.push_back(parent);
        }
    }
    return watch;
}

void WindowModel::SetLiveReload(bool on) {
    if (on == m_liveReload) {
        return;
    }
    m_liveReload = on;
    m_delegate.Refresh(kActionsPart);
    if (!on) {
        m_changePending = false;
        m_delegate.StopTimer();
        m_delegate.Watch({});
        return;
    }
    if (!m_loaded) {
        return;  // the first load is still to come, and it watches
    }
    m_delegate.Watch(CurrentWatchList());
    // Saves made while it was off are caught up at once.
    m_changePending = true;
    m_lastChangeAt = m_delegate.NowMilliseconds();
    m_changeWhileBusy = m_busy > 0;
    if (m_busy == 0) {
        m_delegate.StartTimer(0);
    }
}

void WindowModel::FilesChanged() {
    if (!m_liveReload || !m_loaded) {
        return;
    }
    if (!m_changePending) {
        m_lastChangeAt = m_delegate.NowMilliseconds();
    }
    m_changePending = true;
    m_changeWhileBusy = m_busy > 0;
    if (m_busy == 0) {
        // Not at once: the changes of one save come in a burst, and a zero timer takes them as one.
        m_delegate.StartTimer(0);
    }
}

void WindowModel::TimerFired() {
    if (!m_changePending || !m_liveReload) {
        return;
    }
    if (m_busy > 0) {
        m_changeWhileBusy = true;  // taken up when the action under way ends
        return;
    }
    Guarded([this] { CheckChangedFiles(); });
}

WindowModel::ChangedFiles WindowModel::LookAtChangedFiles() const {
    ChangedFiles changed;
    changed.now = StampsOf(m_watch.files);
    for (std::size_t i = 0; i < m_stamps.size(); ++i) {
        const FileStamp& before = m_stamps[i];
        if (changed.now[i] == before) {
            continue;
        }
        changed.any = true;
        if (JudgeCompleteness(before.path) != FileCompleteness::Complete) {
            changed.allWhole = false;
        }
    }
    return changed;
}

void WindowModel::CheckChangedFiles() {
    ChangedFiles changed = LookAtChangedFiles();
    // The settling delay runs from the last time a watched file was seen to change, not from the
    // last event: a busy folder beside them must not put the reload off for ever.
    if (changed.now != m_seen) {
        m_seen = std::move(changed.now);
        m_lastChangeAt = m_delegate.NowMilliseconds();
    }
    // Other files of the watched folders (an export's pictures, a painting program's backups)
    // change nothing, unless a file that was missing has appeared.
    if (!changed.any && CurrentWatchList() == m_watch) {
        m_changePending = false;
        return;
    }
    const std::int64_t waited = m_delegate.NowMilliseconds() - m_lastChangeAt;
    // A half-written file is never shown: wait until every changed file is whole by its own
    // format, or, for a file that never becomes whole, until the changes have settled.
    if (waited < kSettleMilliseconds && !changed.allWhole) {
        m_delegate.StartTimer(static_cast<int>(
            std::min<std::int64_t>(kRetryMilliseconds, kSettleMilliseconds - waited)));
        return;
    }
    LiveReloadNow();
}

}  // namespace orvandel
