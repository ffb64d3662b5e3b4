#include "win32/kel_view.h"

#include <windowsx.h>

#include <new>
#include <vector>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/map/map_text.h"
#include "core/report/check_text.h"
#include "core/report/pixel_inspector.h"
#include "core/view/view_picture_size.h"
#include "win32/file_dialogs.h"
#include "win32/form_layout.h"
#include "win32/key_map.h"
#include "win32/resource.h"
#include "win32/view_picture.h"
#include "win32/wide_text.h"

namespace orvandel::win32 {
namespace {

// A change is acted on once the files have been quiet this long: a painting program writes a
// file in several steps.
constexpr UINT_PTR kSettleTimer = 1;
constexpr UINT kSettleMilliseconds = 300;

constexpr std::string_view kShowProblems = "Show problems";

RECT ToPixels(HWND dialog, RECT units) {
    ::MapDialogRect(dialog, &units);
    return units;
}

void AppendMenuText(HMENU menu, UINT id, std::string_view text, bool checked = false) {
    const std::wstring wide = WideFromUtf8(text);
    ::AppendMenuW(menu, static_cast<UINT>(MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED)), id,
                  wide.c_str());
}

std::string ReportText(const SessionReport& report) {
    std::string text;
    for (const Notice& notice : report.notices) {
        text += notice.text;
        if (!text.empty() && text.back() != '\n') {
            text += '\n';
        }
        text += notice.DetailText();
    }
    return text;
}

}  // namespace

CKelView::CKelView(WallSetSession& session, MessagePresenter& messages)
    : m_session(session), m_messages(messages) {}

bool CKelView::Create(HWND parent) {
    CKelBox::RegisterClass();
    CMapBox::RegisterClass();
    m_hDlg = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN_FORM),
                                  parent, &CKelView::DialogProc, reinterpret_cast<LPARAM>(this));
    return m_hDlg != nullptr;
}

INT_PTR CALLBACK CKelView::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* view = reinterpret_cast<CKelView*>(lParam);
        view->m_hDlg = dialog;
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    }
    auto* view = reinterpret_cast<CKelView*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    return view != nullptr ? view->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR CKelView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            m_wndPreview.Attach(::GetDlgItem(m_hDlg, IDC_PREVIEW));
            m_wndMap.Attach(::GetDlgItem(m_hDlg, IDC_MAP));
            m_wndPosition = ::GetDlgItem(m_hDlg, IDC_POSITION);
            m_wndMap.SetMap(&m_map);
            m_wndMap.onCellClicked = [this](int x, int y) {
                m_map.ToggleCell(x, y);
                return true;
            };
            m_wndPreview.SetMap(&m_map);
            m_wndPreview.SetWallSet(&m_session.wallSet());
            m_wndPreview.onPointer = [this](int x, int y) { OnPointer(x, y); };
            // The problems panel follows the template's controls, so Tab reaches it last.
            const RECT panel = ToPixels(m_hDlg, kProblemsPanelUnits);
            m_wndProblems = ::CreateWindowExW(
                WS_EX_CLIENTEDGE, L"EDIT", L"",
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                    ES_AUTOVSCROLL,
                panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top, m_hDlg,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProblemsPanelId)),
                ::GetModuleHandleW(nullptr), nullptr);
            ::SendMessageW(m_wndProblems, WM_SETFONT,
                           static_cast<WPARAM>(::SendMessageW(m_hDlg, WM_GETFONT, 0, 0)), FALSE);
            const SIZE size = FormSize();
            ::SetWindowPos(m_hDlg, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
            return TRUE;
        }
        case WM_SIZE:
            PlaceControls();
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED || lParam == 0) {
                OnCommand(LOWORD(wParam));
            }
            return TRUE;
        case WM_MAPCHANGED:
            OnMapChanged();
            ::SetWindowLongPtrW(m_hDlg, DWLP_MSGRESULT, 0);
            return TRUE;
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam), GET_X_LPARAM(lParam),
                          GET_Y_LPARAM(lParam));
            return TRUE;
        case WM_TIMER:
            if (wParam == kSettleTimer) {
                ::KillTimer(m_hDlg, kSettleTimer);
                OnLiveReload();
            }
            return TRUE;
        default:
            return FALSE;
    }
}

SIZE CKelView::FormSize() const {
    const RECT form = ToPixels(m_hDlg, kFormWithPanelUnits);
    return {form.right - form.left, form.bottom - form.top};
}

void CKelView::PlaceControls() {
    RECT client;
    ::GetClientRect(m_hDlg, &client);
    const SIZE form = FormSize();
    const int extraWidth = client.right - form.cx;
    const int extraHeight = client.bottom - form.cy;
    const RECT preview = ToPixels(m_hDlg, FormTemplatePlaces()[9].units);
    const RECT map = ToPixels(m_hDlg, FormTemplatePlaces()[10].units);
    const int previewWidth = preview.right - preview.left;
    const int mapWidth = map.right - map.left;
    HDWP moves = ::BeginDeferWindowPos(14);
    auto move = [&](HWND control, int id, RECT units) {
        const RECT place = PlaceControl(id, ToPixels(m_hDlg, units), extraWidth, extraHeight,
                                        previewWidth, mapWidth);
        if (control != nullptr && moves != nullptr) {
            moves = ::DeferWindowPos(moves, control, nullptr, place.left, place.top,
                                     place.right - place.left, place.bottom - place.top,
                                     SWP_NOZORDER | SWP_NOACTIVATE);
        }
    };
    for (const TemplatePlace& place : FormTemplatePlaces()) {
        move(::GetDlgItem(m_hDlg, place.id), place.id, place.units);
    }
    move(m_wndProblems, kProblemsPanelId, kProblemsPanelUnits);
    if (moves != nullptr) {
        ::EndDeferWindowPos(moves);
    }
    ::InvalidateRect(m_hDlg, nullptr, TRUE);
}

bool CKelView::HandleKey(const MSG& message) {
    const bool ctrlOrAlt =
        (::GetKeyState(VK_CONTROL) & 0x8000) != 0 || (::GetKeyState(VK_MENU) & 0x8000) != 0;
    const auto control = FormControlForKey(message.message, message.wParam, ctrlOrAlt);
    if (!control || (!::IsChild(m_hDlg, message.hwnd) && message.hwnd != m_hDlg)) {
        return false;
    }
    ::SendMessageW(::GetDlgItem(m_hDlg, *control), BM_CLICK, 0, 0);
    return true;
}

void CKelView::OnCommand(int id) {
    switch (id) {
        case IDC_TURN_LEFT:
            return OnTurn(-1);
        case IDC_TURN_RIGHT:
            return OnTurn(+1);
        case IDC_MOVE_FORWARD:
            return OnWalk(kStepForward);
        case IDC_MOVE_RIGHT:
            return OnWalk(kStepRight);
        case IDC_MOVE_BACK:
            return OnWalk(kStepBack);
        case IDC_MOVE_LEFT:
            return OnWalk(kStepLeft);
        case IDC_EVEN_ODD:
            return OnEvenOdd();
        case IDC_RELOAD:
            return OnReload();
        case IDC_EXPORT:
            return OnExport();
        case IDM_COPY_VIEW:
            return OnCopyView();
        case IDM_SAVE_VIEW:
            return OnSaveView();
        case IDM_SHOW_PROBLEMS:
            return m_wndPreview.SetShowProblems(!m_wndPreview.showProblems());
        case IDM_RELOAD_AUTOMATICALLY:
            return SetLiveReload(!m_bLiveReload);
        case IDM_LOAD_TEST_MAP:
            return OnLoadTestMap();
        case IDM_SAVE_TEST_MAP:
            return OnSaveTestMap();
        case IDM_RESET_TEST_MAP:
            return OnResetTestMap();
        default:
            return;
    }
}

void CKelView::OnContextMenu(HWND source, int x, int y) {
    HMENU menu = ::CreatePopupMenu();
    if (source == m_wndPreview.window()) {
        AppendMenuText(menu, IDM_COPY_VIEW, messages::kCopyViewAction);
        AppendMenuText(menu, IDM_SAVE_VIEW, messages::kSaveViewAction);
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuText(menu, IDM_SHOW_PROBLEMS, kShowProblems, m_wndPreview.showProblems());
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuText(menu, IDM_RELOAD_AUTOMATICALLY, messages::kReloadAutomatically,
                       m_bLiveReload);
    } else if (source == m_wndMap.window()) {
        AppendMenuText(menu, IDM_LOAD_TEST_MAP, messages::kLoadTestMap);
        AppendMenuText(menu, IDM_SAVE_TEST_MAP, messages::kSaveTestMap);
        AppendMenuText(menu, IDM_RESET_TEST_MAP, messages::kResetTestMap);
    } else {
        ::DestroyMenu(menu);
        return;
    }
    if (x == -1 && y == -1) {  // from the keyboard: at the control's corner
        RECT rect;
        ::GetWindowRect(source, &rect);
        x = rect.left;
        y = rect.top;
    }
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, m_hDlg, nullptr));
    ::DestroyMenu(menu);
    if (chosen != 0) {
        OnCommand(static_cast<int>(chosen));
    }
}

template <typename Work>
void CKelView::Guarded(Work&& work) {
    try {
        work();
    } catch (const std::bad_alloc&) {
        // An exception must not cross the message loop, and losing the window for want of
        // memory for one picture would lose the user's map too.
        m_bLoading = false;
        m_messages.Show(WarningMessage(std::string(messages::kOutOfMemory)));
    }
}

void CKelView::RefreshView() {
    m_wndPreview.RenderView();
    const std::string position = messages::PositionReadOut(
        m_map.viewerX(), m_map.viewerY(), DirectionLetter(m_map.viewerDirection()));
    ::SetWindowTextW(m_wndPosition, WideFromUtf8(position).c_str());
}

void CKelView::OnTurn(int delta) {
    Guarded([&] {
        m_map.Turn(delta);
        RefreshView();
    });
}

void CKelView::OnWalk(int step) {
    Guarded([&] {
        m_map.Walk(step);
        m_wndMap.Invalidate();
        RefreshView();
    });
}

void CKelView::OnEvenOdd() {
    Guarded([this] {
        m_bEvenOddCheck = ::IsDlgButtonChecked(m_hDlg, IDC_EVEN_ODD) == BST_CHECKED;
        m_wndPreview.SetEvenOdd(m_bEvenOddCheck);
        RefreshView();
    });
}

void CKelView::OnReload() {
    Guarded([this] { LoadAndRender(); });
}

void CKelView::OnInitialUpdate() {
    Guarded([this] { LoadAndRender(); });
}

void CKelView::OnMapChanged() {
    Guarded([this] { m_wndPreview.RenderView(); });
}

void CKelView::LoadAndRender() {
    m_bLoading = true;
    const SessionReport loaded = m_session.Load();
    // The status line and the panel first: they are there already while a box waits for OK.
    ShowProblems(loaded);
    ShowSummary();
    m_wndPreview.RenderView();
    Present(m_messages, loaded);
    m_bLoading = false;
    m_bLoaded = true;
    m_wndPreview.RenderView();
    WatchInputs();
    if (m_bReloadPending) {
        m_bReloadPending = false;
        OnLiveReload();
    }
}

void CKelView::OnExport() {
    Guarded([this] {
        const MessageAnswer answer = m_messages.Show(YesNoQuestion(m_session.ExportConfirmation()));
        const SessionReport exported =
            answer == MessageAnswer::Yes ? m_session.Export() : WallSetSession::ExportCancelled();
        Present(m_messages, exported);
    });
}

void CKelView::SetLiveReload(bool on) {
    m_bLiveReload = on;
    if (on) {
        WatchInputs();
        if (m_bLoaded) {
            OnLiveReload();  // catches up with what changed while it was off
        }
    } else {
        m_watcher.Stop();
        ::KillTimer(m_hDlg, kSettleTimer);
    }
}

void CKelView::WatchInputs() {
    if (!m_bLiveReload) {
        return;
    }
    const WallSetSession::Inputs inputs = m_session.InputFiles();
    std::vector<std::filesystem::path> folders = inputs.folders;
    for (const std::filesystem::path& file : inputs.files) {
        folders.push_back(file.parent_path());
    }
    m_watcher.onChange = [this] { ::SetTimer(m_hDlg, kSettleTimer, kSettleMilliseconds, nullptr); };
    m_watcher.Watch(folders);
}

void CKelView::OnLiveReload() {
    if (m_bLoading) {
        m_bReloadPending = true;  // applied once the open boxes are closed
        return;
    }
    Guarded([this] {
        const SessionReport reloaded = m_session.LiveReload();
        ShowProblems(reloaded);
        ShowSummary();
        m_wndPreview.RenderView();
        // An edited wall-set file may name other pictures now.
        WatchInputs();
    });
}

void CKelView::ShowProblems(const SessionReport& report) {
    std::string text = ReportText(report);
    const std::string summary = ReportSummaryLine(m_session.report());
    if (!summary.empty()) {
        text += summary + "\n";
    }
    if (text.empty()) {
        text = "No problems: every file loaded and every piece is covered.";
    }
    ::SetWindowTextW(m_wndProblems, BoxText(text).c_str());
}

void CKelView::ShowSummary() {
    m_summary = ReportSummaryLine(m_session.report());
    if (onStatus) {
        onStatus(m_summary);
    }
}

void CKelView::OnPointer(int x, int y) {
    int viewX = 0;
    int viewY = 0;
    if (!onStatus) {
        return;
    }
    if (x < 0 || !m_wndPreview.ViewportPixelAt(x, y, viewX, viewY)) {
        onStatus(m_summary);
        return;
    }
    const PixelInspection inspection =
        InspectViewPixel(m_session.wallSet(), m_map, m_bEvenOddCheck, viewX, viewY);
    onStatus(InspectionText(inspection, m_session.report()));
}

void CKelView::OnLoadTestMap() {
    Guarded([this] {
        const auto title = messages::kLoadTestMap.substr(0, messages::kLoadTestMap.size() - 3);
        const auto choice = AskOpenFile(m_hDlg, title, messages::kTestMapFilter);
        if (!choice) {
            return;
        }
        const MapTextResult read = ReadMapFile(choice->file);
        if (!read.map) {
            m_messages.Show(
                WarningMessage(messages::CannotReadTestMap(PathToUtf8(choice->file), read.error)));
            return;
        }
        for (int y = 0; y < kMapSize; ++y) {
            for (int x = 0; x < kMapSize; ++x) {
                m_map.SetCell(x, y, read.map->Cell(x, y));
            }
        }
        m_wndMap.Invalidate();
        RefreshView();
    });
}

void CKelView::OnSaveTestMap() {
    Guarded([this] {
        const auto title = messages::kSaveTestMap.substr(0, messages::kSaveTestMap.size() - 3);
        const auto choice = AskSaveFile(m_hDlg, title, messages::kTestMapFilter, "txt");
        if (!choice) {
            return;
        }
        const Status written = WriteMapFile(choice->file, m_map);
        if (!written) {
            m_messages.Show(WarningMessage(messages::CannotSaveTestMap(PathToUtf8(choice->file)),
                                           written.reason() + "\n"));
        }
    });
}

void CKelView::OnResetTestMap() {
    Guarded([this] {
        m_map = MapState();
        m_wndMap.Invalidate();
        RefreshView();
    });
}

void CKelView::OnCopyView() {
    Guarded([this] {
        CopyViewToClipboard(m_hDlg, m_wndPreview.renderer().viewport(),
                            ViewPictureAsShown(m_wndPreview.Layout()));
    });
}

void CKelView::OnSaveView() {
    Guarded([this] {
        const auto failure = SaveViewAs(m_hDlg, m_wndPreview.renderer().viewport(),
                                        OfferedSaveScales(m_wndPreview.Layout()));
        if (failure) {
            m_messages.Show(WarningMessage(*failure));
        }
    });
}

}  // namespace orvandel::win32
