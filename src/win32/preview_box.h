#pragma once

#include <windows.h>

#include <functional>

#include "core/map/map_state.h"
#include "core/view/view_renderer.h"
#include "core/view/viewport_layout.h"
#include "core/wallset/wall_set.h"

namespace orvandel::win32 {

// The preview: composes the first-person view from the linked wall set and map, and shows it at
// the largest whole scale that fits its client area, centred in a gray ring. Client pixels are
// device pixels (the program is aware of each monitor's DPI), so the scale is whole on every
// screen and the view stays crisp.
class CKelBox {
public:
    static constexpr const wchar_t* kClassName = L"OrvandelPreview";
    // Registers the window class the form's template names.
    static void RegisterClass();

    // Takes over the template's control; before that it paints plain gray.
    void Attach(HWND window);
    HWND window() const { return m_hWnd; }

    // Links, not owned. Nothing is rendered before both are linked.
    void SetMap(const MapState* map) { m_pMap = map; }
    void SetWallSet(const WallSet* wallSet) { m_pWallSet = wallSet; }
    void SetEvenOdd(bool on) { m_bEvenOdd = on; }
    void SetShowProblems(bool on);
    bool showProblems() const { return m_bShowProblems; }

    // Recomposes the viewport and repaints just the part of the window that shows it.
    void RenderView();

    const ViewRenderer& renderer() const { return m_renderer; }
    // Where the viewport is shown in the client area, and at which scale.
    ViewportLayout Layout() const;
    // The viewport pixel under a client point, if the point is on the view.
    bool ViewportPixelAt(int clientX, int clientY, int& x, int& y) const;

    // Called with the client point under the pointer as it moves, and with (-1, -1) when it
    // leaves the window.
    std::function<void(int, int)> onPointer;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HWND m_hWnd = nullptr;
    ViewRenderer m_renderer;
    const MapState* m_pMap = nullptr;
    const WallSet* m_pWallSet = nullptr;
    bool m_bEvenOdd = false;
    bool m_bShowProblems = false;
    bool m_bTrackingLeave = false;
};

}  // namespace orvandel::win32
