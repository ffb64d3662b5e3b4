#pragma once

#include <windows.h>

#include "desk/window_model.h"

namespace orvandel::win32 {

// The form is told of a flipped cell through this queued message, so it re-renders after the
// click has been handled.
inline constexpr UINT WM_MAPCHANGED = 0x8100;

// The editable 16 x 16 test map with the viewer's square, painted from the model. A left
// click on a cell flips it and posts WM_MAPCHANGED to the form.
class CMapBox {
public:
    static constexpr const wchar_t* kClassName = L"OrvandelMap";
    static void RegisterClass();

    void Attach(HWND window, WindowModel& model);
    HWND window() const { return m_hWnd; }
    void Invalidate();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void TellSize();

    HWND m_hWnd = nullptr;
    WindowModel* m_pModel = nullptr;
};

}  // namespace orvandel::win32
