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

void CMapBox::Attach(HWND window, WindowModel& model) {
    m_hWnd = window;
    m_pModel = &model;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    TellSize();
}

void CMapBox::TellSize() {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    m_pModel->SetMapSize(client.right, client.bottom);
    Invalidate();
}

void CMapBox::Invalidate() {
    if (m_hWnd != nullptr) {
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

void CMapBox::Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    const GridLayout& layout = m_pModel->MapLayout();
    const MapState& map = m_pModel->map();
    if (layout.cellSize > 0) {
        HPEN marker = ::CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
        // One pass in row order: the marker goes on right after the viewer's cell, so cells
        // painted later cover whatever of it spills onto them.
        for (int y = 0; y < kMapSize; ++y) {
            for (int x = 0; x < kMapSize; ++x) {
                const Rect cell = CellRect(layout, x, y);
                const RECT rect{cell.left, cell.top, cell.right, cell.bottom};
                const bool floor = IsOpenFloor(map.Cell(x, y));
                ::FillRect(
                    dc, &rect,
                    static_cast<HBRUSH>(::GetStockObject(floor ? WHITE_BRUSH : BLACK_BRUSH)));
                if (x == map.viewerX() && y == map.viewerY()) {
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

LRESULT CALLBACK CMapBox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<CMapBox*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT:
            if (box != nullptr && box->m_pModel != nullptr) {
                box->Paint();
                return 0;
            }
            break;
        case WM_SIZE:
            if (box != nullptr) {
                box->TellSize();
            }
            return 0;
        case WM_LBUTTONDOWN:
            if (box != nullptr &&
                box->m_pModel->PressMap(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
                ::PostMessageW(::GetParent(window), WM_MAPCHANGED, 0, 0);
            }
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace orvandel::win32
