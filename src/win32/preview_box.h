#pragma once

#include <windows.h>

#include "desk/window_model.h"

namespace orvandel::win32 {

// The preview: paints the model's picture of the view where the model places it, at the
// largest whole scale that fits, centred in a gray ring. Client pixels are device pixels (the
// program is aware of each monitor's DPI), so the scale is whole on every screen and the view
// stays crisp. Sizes and the pointer go to the model.
class CKelBox {
public:
    static constexpr const wchar_t* kClassName = L"OrvandelPreview";
    // Registers the window class the form's template names.
    static void RegisterClass();

    // Takes over the template's control; before that it paints plain gray.
    void Attach(HWND window, WindowModel& model);
    HWND window() const { return m_hWnd; }
    // Repaints the view's rectangle only: a render changes nothing around it.
    void InvalidateView();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void TellSize();

    HWND m_hWnd = nullptr;
    WindowModel* m_pModel = nullptr;
    bool m_bTrackingLeave = false;
};

}  // namespace orvandel::win32
