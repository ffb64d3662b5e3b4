#include "win32/preview_box.h"

#include <windowsx.h>

#include <cstring>
#include <vector>

#include "core/image/colour_table.h"
#include "core/report/view_problems.h"
#include "core/view/viewport_size.h"

namespace orvandel::win32 {
namespace {

// An 8-bit DIB's header with its full colour table, as StretchDIBits takes it.
struct IndexedBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

IndexedBitmapInfo InfoOf(const CPaletteDib& dib) {
    IndexedBitmapInfo info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = kViewportWidth;
    info.header.biHeight = kViewportHeight;  // bottom-up, as the viewport is kept
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    const auto table = dib.colourTable();
    info.header.biClrUsed = static_cast<DWORD>(table.size());
    for (std::size_t i = 0; i < table.size() && i < 256; ++i) {
        info.colours[i] = {table[i].blue, table[i].green, table[i].red, 0};
    }
    return info;
}

void FillGrayOutside(HDC dc, const RECT& client, const Rect& view) {
    const int saved = ::SaveDC(dc);
    if (!view.IsEmpty()) {
        ::ExcludeClipRect(dc, view.left, view.top, view.right, view.bottom);
    }
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    ::RestoreDC(dc, saved);
}

// The view with the problem marks over it, one 32-bit pixel per screen pixel.
void DrawWithProblems(HDC dc, const CPaletteDib& viewport, const std::vector<ProblemMark>& marks,
                      const ViewportLayout& layout) {
    const int width = layout.rect.width();
    const int height = layout.rect.height();
    const int scale = layout.scale;
    const auto table = viewport.colourTable();
    const std::uint8_t* bits = viewport.GetBits();
    const int stride = (kViewportWidth + 3) & ~3;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) *
                                      static_cast<std::size_t>(height));
    const auto bgr = [](Colour colour) {
        return (std::uint32_t{RedOf(colour)} << 16) | (std::uint32_t{GreenOf(colour)} << 8) |
               BlueOf(colour);
    };
    for (int y = 0; y < height; ++y) {
        const int vy = y / scale;
        const std::uint8_t* row =
            bits + static_cast<std::ptrdiff_t>(kViewportHeight - 1 - vy) * stride;
        std::uint32_t* out = pixels.data() + static_cast<std::ptrdiff_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const int vx = x / scale;
            const RgbQuad& entry = table[row[vx]];
            std::uint32_t pixel =
                (std::uint32_t{entry.red} << 16) | (std::uint32_t{entry.green} << 8) | entry.blue;
            switch (marks[static_cast<std::size_t>(vy) * kViewportWidth +
                          static_cast<std::size_t>(vx)]) {
                case ProblemMark::None:
                    break;
                case ProblemMark::Approximated:
                    pixel = bgr(kApproximatedMarkColour);
                    break;
                case ProblemMark::SeeThrough:
                    pixel = bgr(kSeeThroughMarkColour);
                    break;
                case ProblemMark::Missing:
                    if (IsHatchPixel(x, y)) {
                        pixel = bgr(kMissingMarkColour);
                    }
                    break;
            }
            out[x] = pixel;
        }
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(dc, layout.rect.left, layout.rect.top, static_cast<DWORD>(width),
                        static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height),
                        pixels.data(), &info, DIB_RGB_COLORS);
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

void CKelBox::Attach(HWND window) {
    m_hWnd = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::InvalidateRect(window, nullptr, TRUE);
}

void CKelBox::SetShowProblems(bool on) {
    m_bShowProblems = on;
    if (m_hWnd != nullptr) {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
}

ViewportLayout CKelBox::Layout() const {
    RECT client{};
    if (m_hWnd != nullptr) {
        ::GetClientRect(m_hWnd, &client);
    }
    return LayoutViewport(client.right - client.left, client.bottom - client.top);
}

bool CKelBox::ViewportPixelAt(int clientX, int clientY, int& x, int& y) const {
    const ViewportLayout layout = Layout();
    if (layout.scale <= 0 || !layout.rect.Contains(clientX, clientY)) {
        return false;
    }
    x = (clientX - layout.rect.left) / layout.scale;
    y = (clientY - layout.rect.top) / layout.scale;
    return true;
}

void CKelBox::RenderView() {
    if (m_pMap == nullptr || m_pWallSet == nullptr ||
        !m_renderer.RenderView(*m_pWallSet, *m_pMap, m_bEvenOdd)) {
        return;
    }
    const Rect view = Layout().rect;
    if (!view.IsEmpty() && m_hWnd != nullptr) {
        const RECT dirty{view.left, view.top, view.right, view.bottom};
        ::InvalidateRect(m_hWnd, &dirty, FALSE);
    }
}

void CKelBox::Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const ViewportLayout layout = Layout();
    // As in a render, the viewport (and with it its colour table) may come into being here.
    const bool showView = layout.scale > 0 && m_pMap != nullptr && m_pWallSet != nullptr &&
                          m_renderer.EnsureViewport(m_pWallSet->palette);
    FillGrayOutside(dc, client, showView ? layout.rect : Rect{});
    if (showView) {
        const CPaletteDib& viewport = m_renderer.viewport();
        if (m_bShowProblems) {
            DrawWithProblems(dc, viewport, MarkViewProblems(*m_pWallSet, *m_pMap, m_bEvenOdd),
                             layout);
        } else {
            const IndexedBitmapInfo info = InfoOf(viewport);
            ::SetStretchBltMode(dc, COLORONCOLOR);
            ::StretchDIBits(dc, layout.rect.left, layout.rect.top, layout.rect.width(),
                            layout.rect.height(), 0, 0, kViewportWidth, kViewportHeight,
                            viewport.GetBits(), reinterpret_cast<const BITMAPINFO*>(&info),
                            DIB_RGB_COLORS, SRCCOPY);
        }
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
            ::InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_MOUSEMOVE:
            if (box != nullptr) {
                if (!box->m_bTrackingLeave) {
                    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                    box->m_bTrackingLeave = ::TrackMouseEvent(&track) != FALSE;
                }
                if (box->onPointer) {
                    box->onPointer(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                }
            }
            return 0;
        case WM_MOUSELEAVE:
            if (box != nullptr) {
                box->m_bTrackingLeave = false;
                if (box->onPointer) {
                    box->onPointer(-1, -1);
                }
            }
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace orvandel::win32
