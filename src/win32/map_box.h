#pragma once

#include <windows.h>

#include <functional>

#include "core/map/map_grid_layout.h"
#include "core/map/map_state.h"

namespace orvandel::win32 {

// The form is told of a flipped cell through this queued message, so it re-renders after the
// click has been handled.
inline constexpr UINT WM_MAPCHANGED = 0x8100;

// The editable 16 x 16 test map with the viewer's square. A left click on a cell asks for it to
// be flipped between wall and floor.
class CMapBox {
public:
    static constexpr const wchar_t* kClassName = L"OrvandelMap";
    static void RegisterClass();

    void Attach(HWND window);
    HWND window() const { return m_hWnd; }

    // The map shown; a link, not owned.
    void SetMap(const MapState* map);
    // Flips a cell; true when it did. The box then repaints and posts WM_MAPCHANGED to its
    // parent.
    std::function<bool(int, int)> onCellClicked;

    // Repaints the grid (after a walk, a loaded or reset map).
    void Invalidate();
    GridLayout Layout() const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Click(int x, int y);

    HWND m_hWnd = nullptr;
    const MapState* m_pMap = nullptr;
};

}  // namespace orvandel::win32
