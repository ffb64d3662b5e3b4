#include "win32/kel_view.h"

// commctrl.h needs the types windows.h declares.
#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <vector>

#include "core/common/path_text.h"
#include "core/view/view_picture_size.h"
#include "desk/form_template.h"
#include "win32/file_dialogs.h"
#include "win32/key_map.h"
#include "win32/resource.h"
#include "win32/view_picture.h"
#include "win32/wide_text.h"

namespace orvandel::win32 {
namespace {

constexpr UINT_PTR kModelTimer = 1;
constexpr int kProblemsId = 1013;
constexpr int kStatusId = 1014;

// Below the template, across the form: the problems panel (more than kProblemsPanelLines lines
// of the form's font) and the status line (kStatusLines lines), in dialog units.
constexpr DialogRect kProblemsRect = {7, 264, 514, 8 * kProblemsPanelLines + 6};
constexpr DialogRect kStatusRect = {7, 314, 514, 8 * kStatusLines};
constexpr DialogRect kFormRect = {0, 0, 528, 314 + 8 * kStatusLines + 4};

// The menu commands of the context menus, by action.
constexpr std::array<std::pair<int, DeskAction>, 7> kMenuCommands = {{
    {IDM_COPY_VIEW, DeskAction::CopyView},
    {IDM_SAVE_VIEW, DeskAction::SaveView},
    {IDM_SHOW_PROBLEMS, DeskAction::ShowProblems},
    {IDM_RELOAD_AUTOMATICALLY, DeskAction::ReloadAutomatically},
    {IDM_LOAD_TEST_MAP, DeskAction::LoadTestMap},
    {IDM_SAVE_TEST_MAP, DeskAction::SaveTestMap},
    {IDM_RESET_TEST_MAP, DeskAction::ResetTestMap},
}};

// The resource script's control of each of the form's controls.
int ControlId(FormControl control) {
    static constexpr std::array<int, kFormControlCount> kIds = {
        IDC_TURN_LEFT,  IDC_MOVE_FORWARD, IDC_TURN_RIGHT, IDC_MOVE_LEFT, IDC_MOVE_BACK,
        IDC_MOVE_RIGHT, IDC_EVEN_ODD,     IDC_RELOAD,     IDC_EXPORT,    IDC_PREVIEW,
        IDC_MAP,        IDC_MAP_NOTE,     IDC_POSITION};
    return kIds[IndexOf(control)];
}

DialogBase BaseOf(HWND dialog) {
    RECT units{0, 0, 4, 8};
    ::MapDialogRect(dialog, &units);
    return {units.right, units.bottom};
}

void MoveTo(HDWP& moves, HWND control, const Rect& place) {
    if (control != nullptr && moves != nullptr) {
        moves = ::DeferWindowPos(moves, control, nullptr, place.left, place.top, place.width(),
                                 place.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

unsigned HeldModifiers() {
    unsigned modifiers = kNoModifier;
    if (::GetKeyState(VK_SHIFT) & 0x8000) {
        modifiers |= kShiftModifier;
    }
    if (::GetKeyState(VK_CONTROL) & 0x8000) {
        modifiers |= kControlModifier;
    }
    if (::GetKeyState(VK_MENU) & 0x8000) {
        modifiers |= kAltModifier;
    }
    return modifiers;
}

void AppendAction(HMENU menu, DeskAction action, bool checked) {
    for (const auto& [id, each] : kMenuCommands) {
        if (each == action) {
            const std::wstring caption = WideFromUtf8(ActionCaption(action));
            ::AppendMenuW(menu, static_cast<UINT>(MF_STRING | (checked ? MF_CHECKED : 0)),
                          static_cast<UINT_PTR>(id), caption.c_str());
        }
    }
}

}  // namespace

CKelView::CKelView(WallSetSession& session, MessagePresenter& messages)
    : m_messages(messages), m_model(session, *this) {
    m_watcher.onChange = [this] { m_model.FilesChanged(); };
}

CKelView::~CKelView() = default;

bool CKelView::Create(HWND parent) {
    CKelBox::RegisterClass();
    CMapBox::RegisterClass();
    m_hDlg = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN_FORM),
                                  parent, &CKelView::DialogProc, reinterpret_cast<LPARAM>(this));
    return m_hDlg != nullptr;
}

INT_PTR CALLBACK CKelView::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<CKelView*>(lParam)->m_hDlg = dialog;
    }
    auto* view = reinterpret_cast<CKelView*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    return view != nullptr ? view->OnMessage(message, wParam, lParam) : FALSE;
}

void CKelView::OnInitDialog() {
    m_wndPosition = ::GetDlgItem(m_hDlg, IDC_POSITION);
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const auto font = static_cast<WPARAM>(::SendMessageW(m_hDlg, WM_GETFONT, 0, 0));
    // The panel and the status line follow the template's controls, so Tab reaches the panel
    // last; both are real text a screen reader reads.
    m_wndProblems = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"Problems",
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                                          LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                      0, 0, 0, 0, m_hDlg,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProblemsId)),
                                      instance, nullptr);
    m_wndStatus = ::CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0, 0, 0, 0,
        m_hDlg, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)), instance, nullptr);
    ::SendMessageW(m_wndProblems, WM_SETFONT, font, FALSE);
    ::SendMessageW(m_wndStatus, WM_SETFONT, font, FALSE);
    // The status line's whole text is also its tooltip.
    m_wndTooltip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                     m_hDlg, nullptr, instance, nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_hDlg;
    tool.uId = reinterpret_cast<UINT_PTR>(m_wndStatus);
    tool.lpszText = const_cast<wchar_t*>(L"");
    ::SendMessageW(m_wndTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(m_wndTooltip, TTM_SETMAXTIPWIDTH, 0, 600);

    const SIZE size = FormSize();
    ::SetWindowPos(m_hDlg, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
    PlaceControls();
    m_wndPreview.Attach(::GetDlgItem(m_hDlg, IDC_PREVIEW), m_model);
    m_wndMap.Attach(::GetDlgItem(m_hDlg, IDC_MAP), m_model);
    Refresh(kAllParts);
}

INT_PTR CKelView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_SIZE:
            PlaceControls();
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_MAPCHANGED:
            m_model.MapChanged();
            ::SetWindowLongPtrW(m_hDlg, DWLP_MSGRESULT, 0);
            return TRUE;
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam), GET_X_LPARAM(lParam),
                          GET_Y_LPARAM(lParam));
            return TRUE;
        case WM_TIMER:
            if (wParam == kModelTimer) {
                ::KillTimer(m_hDlg, kModelTimer);
                m_model.TimerFired();
            }
            return TRUE;
        default:
            return FALSE;
    }
}

SIZE CKelView::FormSize() const {
    const Rect form = DialogToPixels(kFormRect, BaseOf(m_hDlg));
    return {form.width(), form.height()};
}

void CKelView::PlaceControls() {
    const DialogBase base = BaseOf(m_hDlg);
    RECT client;
    ::GetClientRect(m_hDlg, &client);
    const SIZE form = FormSize();
    const int extraWidth = std::max(0L, client.right - form.cx);
    const int extraHeight = std::max(0L, client.bottom - form.cy);
    HDWP moves = ::BeginDeferWindowPos(static_cast<int>(kFormControlCount) + 2);
    for (const TemplateEntry& entry : kFormTemplate) {
        MoveTo(moves, ::GetDlgItem(m_hDlg, ControlId(entry.control)),
               PlaceControl(entry.control, base, extraWidth, extraHeight));
    }
    // The panel and the status line keep their height and take the whole width.
    for (const auto& [control, rect] :
         {std::pair{m_wndProblems, kProblemsRect}, std::pair{m_wndStatus, kStatusRect}}) {
        Rect place = DialogToPixels(rect, base);
        place.top += extraHeight;
        place.bottom += extraHeight;
        place.right += extraWidth;
        MoveTo(moves, control, place);
    }
    if (moves != nullptr) {
        ::EndDeferWindowPos(moves);
    }
    ::InvalidateRect(m_hDlg, nullptr, TRUE);
}

bool CKelView::HandleKey(const MSG& message) {
    if (message.hwnd != m_hDlg && !::IsChild(m_hDlg, message.hwnd)) {
        return false;
    }
    const unsigned modifiers = HeldModifiers();
    if (message.message == WM_KEYDOWN && message.wParam == 'C' && modifiers == kControlModifier &&
        message.hwnd == m_wndProblems) {
        CopySelectedProblem();
        return true;
    }
    const auto key = DeskKeyOf(message.message, message.wParam, modifiers);
    const auto action = key ? ActionForKey(*key) : std::nullopt;
    const auto control = action ? ControlOfAction(*action) : std::nullopt;
    if (!control) {
        return false;
    }
    // As a mnemonic would: the control is pressed, takes the focus, and acts.
    ::SendMessageW(::GetDlgItem(m_hDlg, *control), BM_CLICK, 0, 0);
    return true;
}

void CKelView::OnCommand(int id, int code) {
    if (id == kProblemsId) {
        if (code == LBN_SELCHANGE) {
            const LRESULT selected = ::SendMessageW(m_wndProblems, LB_GETCURSEL, 0, 0);
            const bool entry = selected != LB_ERR &&
                               static_cast<std::size_t>(selected) < m_model.problems().size();
            m_model.SelectProblem(entry ? std::optional<std::size_t>(selected) : std::nullopt);
        }
        return;
    }
    if (const auto action = ActionOfControl(id); action && code == BN_CLICKED) {
        return OnAction(*action);
    }
    for (const auto& [command, action] : kMenuCommands) {
        if (command == id) {
            return OnAction(action);
        }
    }
}

void CKelView::OnAction(DeskAction action) {
    switch (action) {
        case DeskAction::CopyView:
            if (const auto picture = m_model.ViewPictureAsShown()) {
                CopyViewToClipboard(m_hDlg, *picture);
            }
            return;
        case DeskAction::SaveView:
            if (const auto failure = SaveViewAs(m_hDlg, m_model.renderer().viewport(),
                                                OfferedSaveScales(m_model.PreviewLayout()))) {
                m_messages.Show(WarningMessage(*failure));
            }
            return;
        default:
            m_model.Act(action);
            return;
    }
}

void CKelView::OnContextMenu(HWND source, int x, int y) {
    HMENU menu = ::CreatePopupMenu();
    if (source == m_wndPreview.window()) {
        AppendAction(menu, DeskAction::CopyView, false);
        AppendAction(menu, DeskAction::SaveView, false);
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendAction(menu, DeskAction::ShowProblems, m_model.IsChecked(DeskAction::ShowProblems));
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendAction(menu, DeskAction::ReloadAutomatically,
                     m_model.IsChecked(DeskAction::ReloadAutomatically));
    } else if (source == m_wndMap.window()) {
        AppendAction(menu, DeskAction::LoadTestMap, false);
        AppendAction(menu, DeskAction::SaveTestMap, false);
        AppendAction(menu, DeskAction::ResetTestMap, false);
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
    const BOOL chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y,
                                         0, m_hDlg, nullptr);
    ::DestroyMenu(menu);
    if (chosen != 0) {
        OnCommand(chosen, 0);
    }
}

void CKelView::FillProblems() {
    ::SendMessageW(m_wndProblems, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(m_wndProblems, LB_RESETCONTENT, 0, 0);
    int widest = 0;
    HDC dc = ::GetDC(m_wndProblems);
    HGDIOBJ oldFont = ::SelectObject(
        dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(m_wndProblems, WM_GETFONT, 0, 0)));
    auto add = [&](std::string_view text) {
        const std::wstring wide = WideFromUtf8(text);
        ::SendMessageW(m_wndProblems, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        SIZE size{};
        ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx) + 8);
    };
    for (const ProblemEntry& entry : m_model.problems()) {
        add(entry.Text());
    }
    if (m_model.problems().empty()) {
        add(AllIsWellText());
    }
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(m_wndProblems, dc);
    ::SendMessageW(m_wndProblems, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
    if (const auto selected = m_model.selectedProblem()) {
        ::SendMessageW(m_wndProblems, LB_SETCURSEL, *selected, 0);
    }
    ::SendMessageW(m_wndProblems, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_wndProblems, nullptr, TRUE);
}

void CKelView::CopySelectedProblem() {
    const LRESULT selected = ::SendMessageW(m_wndProblems, LB_GETCURSEL, 0, 0);
    std::string text;
    if (selected != LB_ERR && static_cast<std::size_t>(selected) < m_model.problems().size()) {
        text = m_model.problems()[static_cast<std::size_t>(selected)].Text();
    } else {
        for (const ProblemEntry& entry : m_model.problems()) {
            text += entry.Text() + "\n";
        }
    }
    const std::wstring wide = BoxText(text);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (memory == nullptr) {
        return;
    }
    std::copy(wide.c_str(), wide.c_str() + wide.size() + 1,
              static_cast<wchar_t*>(::GlobalLock(memory)));
    ::GlobalUnlock(memory);
    if (::OpenClipboard(m_hDlg)) {
        ::EmptyClipboard();
        if (::SetClipboardData(CF_UNICODETEXT, memory) != nullptr) {
            memory = nullptr;
        }
        ::CloseClipboard();
    }
    if (memory != nullptr) {
        ::GlobalFree(memory);
    }
}

MessageAnswer CKelView::ShowMessage(const MessageRequest& request) {
    return m_messages.Show(request);
}

std::optional<std::filesystem::path> CKelView::ChooseFileToOpen(const FileQuestion& question) {
    const auto choice = AskOpenFile(m_hDlg, question);
    return choice ? std::optional(choice->file) : std::nullopt;
}

std::optional<std::filesystem::path> CKelView::ChooseFileToSave(const FileQuestion& question) {
    const auto choice = AskSaveFile(m_hDlg, question);
    return choice ? std::optional(choice->file) : std::nullopt;
}

void CKelView::Refresh(unsigned parts) {
    if (m_hDlg == nullptr) {
        return;
    }
    if (parts & kPreviewPart) {
        m_wndPreview.InvalidateView();
    }
    if (parts & kMapPart) {
        m_wndMap.Invalidate();
    }
    if (parts & kPositionPart) {
        ::SetWindowTextW(m_wndPosition, WideFromUtf8(m_model.PositionText()).c_str());
    }
    if (parts & kStatusPart) {
        const std::wstring status = WideFromUtf8(m_model.StatusText());
        ::SetWindowTextW(m_wndStatus, status.c_str());
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = m_hDlg;
        tool.uId = reinterpret_cast<UINT_PTR>(m_wndStatus);
        tool.lpszText = const_cast<wchar_t*>(status.c_str());
        ::SendMessageW(m_wndTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (parts & kProblemsPart) {
        FillProblems();
    }
    if (parts & kActionsPart) {
        ::CheckDlgButton(m_hDlg, IDC_EVEN_ODD,
                         m_model.IsChecked(DeskAction::EvenOdd) ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CKelView::Watch(const WatchList& watch) {
    std::vector<std::filesystem::path> folders = watch.folders;
    for (const std::filesystem::path& file : watch.files) {
        folders.push_back(file.parent_path());
    }
    m_watcher.Watch(folders);
}

void CKelView::StartTimer(int milliseconds) {
    ::SetTimer(m_hDlg, kModelTimer, static_cast<UINT>(std::max(milliseconds, 0)), nullptr);
}

void CKelView::StopTimer() {
    ::KillTimer(m_hDlg, kModelTimer);
}

std::int64_t CKelView::NowMilliseconds() {
    return static_cast<std::int64_t>(::GetTickCount64());
}

}  // namespace orvandel::win32
