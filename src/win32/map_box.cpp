#include "win32/map_box.h"

#include <windowsx.h>

#include <array>

namespace orvandel::win32 {

void CMapBox::RegisterClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &CMapBox::WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_HAND);
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassExW(&windowClass);
}

void CMapBox::Attach(HWND window) {
    m_hWnd = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Invalidate();
}

void CMapBox::SetMap(const MapState* map) {
    m_pMap = map;
    Invalidate();
}

void CMapBox::Invalidate() {
    if (m_hWnd != nullptr) {
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

GridLayout CMapBox::Layout() const {
    RECT client{};
    if (m_hWnd != nullptr) {
        ::GetClientRect(m_hWnd, &client);
    }
    return LayoutGrid(client.right - client.left, client.bottom - client.top);
}

void CMapBox::Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    const GridLayout layout = Layout();
    if (m_pMap != nullptr && layout.cellSize > 0) {
        HPEN marker = ::CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
        // One pass in row order: the marker goes on right after the viewer's cell, so cells
        // painted later cover whatever of it spills onto them.
        for (int y = 0; y < kMapSize; ++y) {
            for (int x = 0; x < kMapSize; ++x) {
                const Rect cell = CellRect(layout, x, y);
                const RECT rect{cell.left, cell.top, cell.right, cell.bottom};
                const bool floor = IsOpenFloor(m_pMap->Cell(x, y));
                ::FillRect(
                    dc, &rect,
                    static_cast<HBRUSH>(::GetStockObject(floor ? WHITE_BRUSH : BLACK_BRUSH)));
                if (x == m_pMap->viewerX() && y == m_pMap->viewerY()) {
                    const auto corners = MarkerPoints(layout, x, y);
                    std::array<POINT, corners.size()> points{};
                    for (std::size_t i = 0; i < corners.size(); ++i) {
                        points[i] = {corners[i].x, corners[i].y};
                    }
                    HGDIOBJ old = ::SelectObject(dc, marker);
                    ::Polyline(dc, points.data(), static_cast<int>(points.size()));
                    ::SelectObject(dc, old);
                }
            }
        }
        ::DeleteObject(marker);
    }
    ::EndPaint(m_hWnd, &paint);
}

void CMapBox::Click(int x, int y) {
    const auto cell = CellAtPoint(Layout(), x, y);
    if (!cell || !onCellClicked || !onCellClicked(cell->x, cell->y)) {
        return;
    }
    Invalidate();
    ::PostMessageW(::GetParent(m_hWnd), WM_MAPCHANGED, 0, 0);
}

LRESULT CALLBACK CMapBox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<CMapBox*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT:
            if (box != nullptr) {
                box->Paint();
                return 0;
            }
            break;
        case WM_SIZE:
            ::InvalidateRect(window, nullptr, TRUE);
            return 0;
        case WM_LBUTTONDOWN:
            if (box != nullptr) {
                box->Click(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            }
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace orvandel::win32
