#include "win32/preview_box.h"

#include <windowsx.h>

namespace orvandel::win32 {
namespace {

void FillGrayOutside(HDC dc, const RECT& client, const Rect& view) {
    const int saved = ::SaveDC(dc);
    if (!view.IsEmpty()) {
        ::ExcludeClipRect(dc, view.left, view.top, view.right, view.bottom);
    }
    HBRUSH gray = ::CreateSolidBrush(
        RGB(RedOf(kPreviewBackground), GreenOf(kPreviewBackground), BlueOf(kPreviewBackground)));
    ::FillRect(dc, &client, gray);
    ::DeleteObject(gray);
    ::RestoreDC(dc, saved);
}

// The model's picture is already at the shown scale: copied one to one, pixel for pixel.
void DrawPicture(HDC dc, const ScreenPicture& picture, const Rect& at) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::StretchDIBits(dc, at.left, at.top, picture.width, picture.height, 0, 0, picture.width,
                    picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

void CKelBox::RegisterClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &CKelBox::WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassExW(&windowClass);
}

void CKelBox::Attach(HWND window, WindowModel& model) {
    m_hWnd = window;
    m_pModel = &model;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    TellSize();
}

void CKelBox::TellSize() {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    m_pModel->SetPreviewSize(client.right, client.bottom);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CKelBox::InvalidateView() {
    if (m_hWnd == nullptr) {
        return;
    }
    const Rect view = m_pModel->PreviewLayout().rect;
    if (!view.IsEmpty()) {
        const RECT dirty{view.left, view.top, view.right, view.bottom};
        ::InvalidateRect(m_hWnd, &dirty, FALSE);
    }
}

void CKelBox::Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const ViewportLayout layout = m_pModel->PreviewLayout();
    const ScreenPicture& picture = m_pModel->PreviewPicture();
    const bool showView = layout.scale > 0 && !picture.pixels.empty();
    FillGrayOutside(dc, client, showView ? layout.rect : Rect{});
    if (showView) {
        DrawPicture(dc, picture, layout.rect);
    }
    ::EndPaint(m_hWnd, &paint);
}

LRESULT CALLBACK CKelBox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<CKelBox*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // painting covers everything
        case WM_PAINT:
            if (box == nullptr) {
                PAINTSTRUCT paint;
                HDC dc = ::BeginPaint(window, &paint);
                ::FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
                ::EndPaint(window, &paint);
            } else {
                box->Paint();
            }
            return 0;
        case WM_SIZE:
            if (box != nullptr) {
                box->TellSize();
            }
            return 0;
        case WM_MOUSEMOVE:
            if (box != nullptr) {
                if (!box->m_bTrackingLeave) {
                    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                    box->m_bTrackingLeave = ::TrackMouseEvent(&track) != FALSE;
                }
                box->m_pModel->PointerAt(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            }
            return 0;
        case WM_MOUSELEAVE:
            if (box != nullptr) {
                box->m_bTrackingLeave = false;
                box->m_pModel->PointerAt(std::nullopt);
            }
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace orvandel::win32
