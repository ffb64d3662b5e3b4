#include "win32/main_frame.h"

// commctrl.h and shellapi.h need the types windows.h declares.
#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "core/common/message_texts.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

namespace orvandel::win32 {
namespace {

constexpr const wchar_t* kFrameClass = L"OrvandelFrame";
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW;
constexpr UINT kDpiSettled = WM_APP + 1;

}  // namespace

CMainFrame::CMainFrame(WallSetSession& session, MessagePresenter& messages)
    : m_messages(messages), m_view(session, messages) {}

bool CMainFrame::Create(int showCommand) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &CMainFrame::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_ORVANDEL));
    windowClass.hIconSm = static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_ORVANDEL), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kFrameClass;
    ::RegisterClassExW(&windowClass);

    const std::wstring title = WideFromUtf8(messages::kAppName);
    m_hWnd = ::CreateWindowExW(WS_EX_ACCEPTFILES, kFrameClass, title.c_str(), kFrameStyle,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                               nullptr, instance, this);
    if (m_hWnd == nullptr) {
        return false;
    }
    if (!m_view.Create(m_hWnd)) {
        return false;
    }
    m_messages.SetOwner(m_hWnd);
    FitToForm();
    // Start-up messages come before the window: the load runs while it is still hidden.
    m_view.OnInitialUpdate();
    ::ShowWindow(m_hWnd, showCommand);
    ::UpdateWindow(m_hWnd);
    ::DragAcceptFiles(m_hWnd, TRUE);
    return true;
}

void CMainFrame::FitToForm() {
    const SIZE form = m_view.FormSize();
    RECT frame{0, 0, form.cx, form.cy};
    ::AdjustWindowRectEx(&frame, kFrameStyle, FALSE, WS_EX_ACCEPTFILES);
    m_minimum = {frame.right - frame.left, frame.bottom - frame.top};
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_minimum.cx, m_minimum.cy,
                   SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CMainFrame::InitialUpdate() {
    FitToForm();
    m_view.OnInitialUpdate();
}

void CMainFrame::LayoutChildren() {
    if (m_view.window() == nullptr) {
        return;
    }
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::MoveWindow(m_view.window(), 0, 0, client.right, client.bottom, TRUE);
}

bool CMainFrame::OpenDocument(const std::filesystem::path& file) {
    if (!m_view.model().OpenWallSet(file)) {
        return false;
    }
    InitialUpdate();
    return true;
}

void CMainFrame::OnDropFiles(HDROP drop) {
    std::vector<std::filesystem::path> files;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        ::DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(length);
        files.emplace_back(name);
    }
    ::DragFinish(drop);
    ::SetForegroundWindow(m_hWnd);
    // One document at a time: each file opens in turn and the last one that opens stays.
    for (const std::filesystem::path& file : files) {
        OpenDocument(file);
    }
}

LRESULT CALLBACK CMainFrame::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* frame = static_cast<CMainFrame*>(create->lpCreateParams);
        frame->m_hWnd = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    }
    auto* frame = reinterpret_cast<CMainFrame*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (frame == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return frame->OnMessage(message, wParam, lParam);
}

LRESULT CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            LayoutChildren();
            return 0;
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            if (m_minimum.cx > 0) {
                limits->ptMinTrackSize = {m_minimum.cx, m_minimum.cy};
            }
            return 0;
        }
        case WM_DPICHANGED: {
            // The form's font follows the new DPI; the window takes the size the system
            // suggests, then fits the form again.
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            // The form's font is scaled once the children have heard of the change too.
            ::PostMessageW(m_hWnd, kDpiSettled, 0, 0);
            return 0;
        }
        case kDpiSettled: {
            const SIZE form = m_view.FormSize();
            RECT frame{0, 0, form.cx, form.cy};
            ::AdjustWindowRectExForDpi(&frame, kFrameStyle, FALSE, WS_EX_ACCEPTFILES,
                                       ::GetDpiForWindow(m_hWnd));
            m_minimum = {frame.right - frame.left, frame.bottom - frame.top};
            LayoutChildren();
            return 0;
        }
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_ACTIVATE:
            // The form is a child: the focus it had when a box or another program took over
            // comes back to it.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                m_lastFocus = ::IsChild(m_view.window(), focus) ? focus : nullptr;
            } else {
                ::SetFocus(m_lastFocus != nullptr && ::IsWindow(m_lastFocus) ? m_lastFocus
                                                                             : m_view.window());
            }
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}

bool CMainFrame::PreTranslate(MSG& message) {
    if (m_view.HandleKey(message)) {
        return true;
    }
    return ::IsDialogMessageW(m_view.window(), &message) != FALSE;
}

int CMainFrame::Run() {
    for (;;) {
        const std::vector<HANDLE>& handles = m_view.watcher().handles();
        const auto count = static_cast<DWORD>(handles.size());
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE,
                                                         QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke < WAIT_OBJECT_0 + count) {
            m_view.watcher().Signalled(woke - WAIT_OBJECT_0);
            continue;
        }
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return static_cast<int>(message.wParam);
            }
            if (!PreTranslate(message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
    }
}

}  // namespace orvandel::win32
