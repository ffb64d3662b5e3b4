#pragma once

#include <windows.h>
// shellapi.h needs the types windows.h declares.
#include <shellapi.h>

#include <filesystem>

#include "core/session/wall_set_session.h"
#include "win32/kel_view.h"
#include "win32/message_box.h"

namespace orvandel::win32 {

// The main window, titled "Orvandel": the form fills its client area. Wall-set files dropped
// on it open in turn.
class CMainFrame {
public:
    CMainFrame(WallSetSession& session, MessagePresenter& messages);

    bool Create(int showCommand);
    HWND window() const { return m_hWnd; }
    CKelView& view() { return m_view; }

    // Fits the window to the form, then loads and renders.
    void InitialUpdate();
    // Opens a wall-set file as the document; a refused one is reported and the current stays.
    bool OpenDocument(const std::filesystem::path& file);

    // The message loop, waiting on the live reload's change notifications too.
    int Run();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void FitToForm();
    void LayoutChildren();
    void OnDropFiles(HDROP drop);
    bool PreTranslate(MSG& message);

    MessagePresenter& m_messages;
    CKelView m_view;
    HWND m_hWnd = nullptr;
    HWND m_lastFocus = nullptr;
    SIZE m_minimum{};
};

}  // namespace orvandel::win32
